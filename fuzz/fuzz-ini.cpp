// SPDX-License-Identifier: MIT
// The settings file, of any bytes: every setting is read, one of them is written and the file is
// read again. The written value must read back as written (less what the file cannot hold: line
// breaks, blanks around it, one pair of quotes, anything past the longest value) and every other
// setting must read exactly as before, whatever the file's encoding, line breaks and layout.
#include "FuzzSupport.h"

#include "platform/IniFile.h"
#include "settings/SettingsFile.h"
#include "support/PlainControls.h"

#include <QStringList>

#include <map>
#include <vector>

using namespace tervalo;

namespace {

class MemoryFileStore final : public FileStore {
public:
    bool isFile(const QString &path) const override { return files.count(path) > 0; }
    std::optional<QByteArray> read(const QString &path) const override
    {
        const auto found = files.find(path);
        return found == files.end() ? std::nullopt : std::optional(found->second);
    }
    bool replace(const QString &path, const QByteArray &contents) override
    {
        files[path] = contents;
        return true;
    }
    bool copyIfMissing(const QString &, const QString &) override { return false; }
    void removeLeftoversOf(const QString &) override {}
    bool makeFolder(const QString &) override { return true; }
    void remove(const QString &path) override { files.erase(path); }

private:
    std::map<QString, QByteArray> files;
};

using Controls = test::PlainControls;

const QString Path = QStringLiteral("/Tervalo.ini");

// The settings' sections and keys, as the program itself writes them into an empty file.
std::vector<IniValue> settingKeys()
{
    MemoryFileStore store;
    IniFile file(Path, store);
    TAppSettings settings;
    Controls controls;
    saveSettingsFile(file, settings, controls);
    std::vector<IniValue> keys;
    QString section;
    for (const QString &line : QString::fromUtf8(*store.read(Path)).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            section = line.mid(1, line.size() - 2);
        else if (line.contains(QLatin1Char('=')))
            keys.push_back({section, line.left(line.indexOf(QLatin1Char('='))), {}});
    }
    return keys;
}

// What reading gives for a written value.
QString asReadBack(QString value)
{
    // A line break is one space, CR LF as well.
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        value = value.mid(1, value.size() - 2);
    return value.left(IniFile::MaxValueLength);
}

std::vector<std::optional<QString>> readAll(const IniFile &file, const std::vector<IniValue> &keys)
{
    std::vector<std::optional<QString>> values;
    for (const IniValue &key : keys)
        values.push_back(file.read(key.section, key.key));
    return values;
}

QString shown(const std::optional<QString> &value)
{
    return value ? QLatin1Char('"') + *value + QLatin1Char('"') : QStringLiteral("(none)");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::vector<IniValue> keys = settingKeys();
    const QByteArray bytes = fuzz::bytesOf(data, size);

    MemoryFileStore store;
    store.replace(Path, bytes);
    IniFile file(Path, store);
    TAppSettings settings;
    Controls controls;
    readSettingsFile(file, settings, controls);
    const std::vector<std::optional<QString>> before = readAll(file, keys);

    // Which setting and what value follow from the input, so that a failure repeats anywhere.
    size_t seed = 2166136261u;
    for (const char byte : bytes)
        seed = (seed ^ static_cast<uint8_t>(byte)) * 16777619u;
    const size_t row = seed % keys.size();
    const QString values[] = {
        QStringLiteral("27612"),
        QString(),
        QStringLiteral(" \"Москва, Россия - 27612\" "),
        QStringLiteral("[CityID]\r\nCityIDSave=1\n[x"),
        QString(IniFile::MaxValueLength + 5, QLatin1Char('w')),
        QString::fromUtf8(bytes.right(80)),
    };
    const QString value = values[(seed / keys.size()) % std::size(values)];
    file.write(keys[row].section, keys[row].key, value);

    const std::vector<std::optional<QString>> after = readAll(file, keys);
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::optional<QString> expected = i == row ? asReadBack(value) : before[i];
        fuzz::check(after[i] == expected,
                    i == row ? "the written value reads back" : "no other value changes",
                    QStringLiteral("wrote [%1] %2 = \"%3\"; [%4] %5 read %6, then %7")
                        .arg(keys[row].section, keys[row].key, value, keys[i].section, keys[i].key,
                             shown(before[i]), shown(after[i])));
    }
    return 0;
}
