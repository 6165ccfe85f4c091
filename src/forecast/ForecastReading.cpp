// SPDX-License-Identifier: MIT
// Reading the forecast document into the widget and the shared weather values. The order of
// the steps matters: a failure leaves what was written before it and nothing after it.
#include "forecast/ForecastReading.h"

#include "platform/AppError.h"
#include "shell/Main.h"

#include <QLocale>

namespace tervalo {

namespace {

// The day parts are searched from these children of a forecast day element.
constexpr int DayPartFirstIndex = 3;
constexpr int NightPartFirstIndex = 5;
// The forecast day elements are the root's children 3 to 7, today first.
constexpr int FirstDayIndex = 3;

QString textOf(const XmlNode &parent, const char *name)
{
    return parent.childByName(QLatin1String(name)).text();
}

// The user's long time format without a time zone: hours, minutes and seconds.
QString longTimeText(const QTime &time)
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale::system().toString(time, format.trimmed());
}

} // namespace

XmlNode findDayPart(const XmlNode &day, const QString &type, int firstIndex)
{
    // From one child to the next: a day may hold any number of children before its parts.
    for (std::optional<XmlNode> part = day.child(firstIndex); part; part = part->nextSibling()) {
        if (part->isElement() && part->attribute(QStringLiteral("type")) == type)
            return *part;
    }
    throw AppError(QStringLiteral("The forecast day has no part \"%1\" from its child %2 on")
                       .arg(type)
                       .arg(firstIndex));
}

QString forecastTemperature(const QString &text)
{
    return text.isEmpty() ? NoData : text;
}

void TForm1::ReadForecast(const XmlNode &root)
{
    const XmlNode fact = root.childByName(QStringLiteral("fact"));
    shared.FactWeatherType = textOf(fact, "weather_type");
    TemLabel->setText(textOf(fact, "temperature") + QStringLiteral("°"));
    WindLabel->setText(textOf(fact, "wind_speed") + QStringLiteral(" м/с "));
    shared.WindDirectionCode = textOf(fact, "wind_direction");
    HumidityLabel->setText(textOf(fact, "humidity") + QStringLiteral("%"));
    shared.ObservationTime = textOf(fact, "observation_time");
    shared.StationName = textOf(fact, "station");

    const std::array<TLabel *, 5> upperLabels = {CurrentMax, TomorrowMax, ThreeMax, FourMax,
                                                 FifthMax};
    const std::array<TLabel *, 5> lowerLabels = {CurrentMin, TomorrowMin, ThreeMin, FourMin,
                                                 FifthMin};
    for (int d = 1; d <= 5; ++d) {
        const XmlNode day = root.child(FirstDayIndex + d - 1);
        const QString dayType = QStringLiteral("day");
        shared.DayWeatherTypes[d] =
            textOf(findDayPart(day, dayType, DayPartFirstIndex), "weather_type");
        const XmlNode night = findDayPart(day, QStringLiteral("night"), NightPartFirstIndex);
        lowerLabels[d - 1]->setText(forecastTemperature(textOf(night, "temperature_from")));
        const XmlNode daytime = findDayPart(day, dayType, DayPartFirstIndex);
        upperLabels[d - 1]->setText(forecastTemperature(textOf(daytime, "temperature_to")));
    }
}

void TForm1::setLastUpdateTime()
{
    shared.LastUpdateTime = longTimeText(context.platform.now().time());
}

} // namespace tervalo
