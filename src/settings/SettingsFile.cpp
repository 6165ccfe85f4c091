// SPDX-License-Identifier: MIT
#include "settings/SettingsFile.h"

#include "settings/IniValues.h"
#include "settings/Xxe.h"

#include <array>
#include <variant>
#include <vector>

namespace tervalo {

namespace {

// How a value is spelled in the file. The forecast-panel flag is stored negated: "0" means the
// panel is shown. Reading puts the stored value into the check mark unchanged, and the mode
// entry that follows every read toggles the mark once, which restores the saved state.
enum class Form { Text, Integer, Flag, NegatedFlag, Password };

using Value = std::variant<QString, int, bool>;

using Settings = TAppSettings;
using Controls = ControlHeldSettings;

struct SettingRow {
    const char *section;
    const char *key;
    Form form;
    Value (*get)(const Settings &, const Controls &);
    void (*set)(Settings &, Controls &, const Value &);
    // A text row whose absence means "none" rather than "as before": the place coordinates,
    // which must not outlive a file that names no place, or the forecast would ask for a place
    // the file's town is not.
    bool emptyWhenMissing = false;
};

template <auto Field> Value getField(const Settings &settings, const Controls &)
{
    return settings.*Field;
}

template <auto Field> void setField(Settings &settings, Controls &, const Value &value)
{
    using Type = std::remove_reference_t<decltype(settings.*Field)>;
    settings.*Field = std::get<Type>(value);
}

#define FIELD(name) getField<&TAppSettings::name>, setField<&TAppSettings::name>

// A control-held setting: read from and written to its control, mirrored into its field.
#define CONTROL(name, Type, getter, setter)                                                        \
    [](const Settings &, const Controls &c) -> Value { return c.getter(); },                       \
        [](Settings &s, Controls &c, const Value &v) {                                             \
            s.name = std::get<Type>(v);                                                            \
            c.setter(std::get<Type>(v));                                                           \
        }

// The file, section by section, in the order in which it is read and written.
const std::array<SettingRow, 27> SettingRows = {{
    {"CityID", "CityIDSave", Form::Text, FIELD(CityID)},
    {"CityName", "CityNameSave", Form::Text,
     CONTROL(CityName, QString, townCaption, setTownCaption)},
    {"AddPanel", "Checked", Form::NegatedFlag,
     CONTROL(AddPanel, bool, panelMenuChecked, setPanelMenuChecked)},
    {"TempLabel", "Checked", Form::Flag, FIELD(TempLabel)},
    {"CityText", "Text", Form::Text, FIELD(CityText)},
    {"UpdateInterval", "Interval", Form::Integer, FIELD(UpdateInterval)},
    {"AutoRun", "Checked", Form::Flag, FIELD(AutoRun)},
    {"FormTop", "ValueTop", Form::Integer, CONTROL(FormTop, int, windowTop, setWindowTop)},
    {"FormLeft", "ValueLeft", Form::Integer, CONTROL(FormLeft, int, windowLeft, setWindowLeft)},
    {"FormHeight", "ValueHeight", Form::Integer,
     CONTROL(FormHeight, int, windowHeight, setWindowHeight)},
    {"FormWidth", "ValueWidth", Form::Integer,
     CONTROL(FormWidth, int, windowWidth, setWindowWidth)},
    {"ClockMode", "Checked", Form::Flag, FIELD(ClockMode)},
    {"AutoCheckVer", "Checked", Form::Flag, FIELD(AutoCheckVer)},
    {"DateFormat", "DateFormate", Form::Integer, FIELD(DateFormat)},
    {"IconStatus", "Checked", Form::Flag, FIELD(IconStatus)},
    {"PanelsMode", "CurrentMode", Form::Integer, FIELD(PanelsMode)},
    {"ProxyUse", "Use", Form::Flag, FIELD(ProxyUse)},
    {"ProxyPublic", "Use", Form::Flag, FIELD(ProxyPublic)},
    {"ProxyHost", "Host", Form::Text, FIELD(ProxyHost)},
    {"ProxyPort", "Port", Form::Integer, FIELD(ProxyPort)},
    {"ProxyUser", "User", Form::Text, FIELD(ProxyUser)},
    {"ProxyPass", "Pass", Form::Password, FIELD(ProxyPass)},
    {"FontColorForSkin", "Color", Form::Integer, FIELD(FontColorForSkin)},
    {"SizeFontForSkin", "Size", Form::Integer, FIELD(SizeFontForSkin)},
    {"ForecastSource", "Source", Form::Integer, FIELD(ForecastSource)},
    {"PlaceLatitude", "Latitude", Form::Text, FIELD(PlaceLatitude), true},
    {"PlaceLongitude", "Longitude", Form::Text, FIELD(PlaceLongitude), true},
}};

#undef FIELD
#undef CONTROL

QString toStored(Form form, const Value &value)
{
    switch (form) {
    case Form::Text:
        return std::get<QString>(value);
    case Form::Password:
        return xxe::encode(std::get<QString>(value));
    case Form::Integer:
        return ini_values::formatInteger(std::get<int>(value));
    case Form::Flag:
        return ini_values::formatFlag(std::get<bool>(value));
    case Form::NegatedFlag:
        return ini_values::formatFlag(!std::get<bool>(value));
    }
    return {};
}

std::optional<Value> fromStored(Form form, const QString &stored)
{
    switch (form) {
    case Form::Text:
        return stored;
    case Form::Password:
        return xxe::decode(stored);
    case Form::Integer:
        if (const std::optional<int> value = ini_values::parseInteger(stored))
            return *value;
        return std::nullopt;
    case Form::Flag:
    case Form::NegatedFlag:
        if (const std::optional<bool> value = ini_values::parseFlag(stored))
            return *value;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

// A missing key keeps the setting's current value, but for the rows empty when missing; for the
// password that is the plain text in memory, which is kept as it is rather than decoded as if it
// had been stored.
void readSettingsFile(const IniFile &file, TAppSettings &settings, ControlHeldSettings &controls)
{
    for (const SettingRow &row : SettingRows) {
        const std::optional<QString> stored =
            file.read(QLatin1String(row.section), QLatin1String(row.key));
        if (!stored) {
            if (row.emptyWhenMissing)
                row.set(settings, controls, QString());
            continue;
        }
        if (const std::optional<Value> value = fromStored(row.form, *stored))
            row.set(settings, controls, *value);
    }
}

void saveSettingsFile(IniFile &file, const TAppSettings &settings,
                      const ControlHeldSettings &controls)
{
    std::vector<IniValue> values;
    values.reserve(SettingRows.size());
    for (const SettingRow &row : SettingRows) {
        values.push_back({QLatin1String(row.section), QLatin1String(row.key),
                          toStored(row.form, row.get(settings, controls))});
    }
    file.write(values);
}

} // namespace tervalo
