// SPDX-License-Identifier: MIT
// Open-Meteo's JSON forecast, translated into the XML export's document so that everything
// after the download runs as it does for the export.
#include "forecast/OpenMeteo.h"

#include "forecast/ConditionTexts.h"
#include "platform/AppError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace tervalo {

namespace {

using namespace condition_texts;
// Of these, CloudyLightRain is in the classifier's list for the current weather only.

const QString StationText = QStringLiteral("Open-Meteo");
constexpr int ForecastDays = 5;

// What the document needs, and nothing more: the current values for the big face, and per day
// the condition with the day's highest and lowest temperature. The calendar day's lowest is
// what daily forecasts call the day's low; deriving a night from hourly values would cost a
// series of 120 numbers for a figure the widget labels no differently.
const char *const CurrentFields =
    "temperature_2m,relative_humidity_2m,weather_code,wind_speed_10m,wind_direction_10m";
const char *const DailyFields = "weather_code,temperature_2m_max,temperature_2m_min";

// Rounded text without the minus of a negative zero.
QString wholeNumber(double value)
{
    const double rounded = std::round(value);
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 0);
}

QJsonObject requiredObject(const QJsonObject &parent, const char *name)
{
    const QJsonValue value = parent.value(QLatin1String(name));
    if (!value.isObject())
        throw AppError(QStringLiteral("The Open-Meteo answer has no \"%1\"").arg(name));
    return value.toObject();
}

QJsonArray requiredSeries(const QJsonObject &daily, const char *name)
{
    const QJsonValue value = daily.value(QLatin1String(name));
    if (!value.isArray())
        throw AppError(QStringLiteral("The Open-Meteo answer has no daily \"%1\"").arg(name));
    return value.toArray();
}

// The values the weather can take. One outside them is a fault of the answer, not weather, and
// counts as missing: shown as it came it would run across the widget.
struct Range {
    double lowest;
    double highest;
};
constexpr Range AnyNumber{-std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
constexpr Range Temperatures{-100, 70};
constexpr Range Humidities{0, 100};
constexpr Range WindSpeeds{0, 150};

std::optional<double> plausibleNumber(const QJsonValue &value, Range range)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number < range.lowest || number > range.highest)
        return std::nullopt;
    return number;
}

double requiredNumber(const QJsonObject &current, const char *name, Range range = AnyNumber)
{
    const std::optional<double> number = plausibleNumber(current.value(QLatin1String(name)), range);
    if (!number)
        throw AppError(QStringLiteral("The Open-Meteo answer has no current \"%1\"").arg(name));
    return *number;
}

QString conditionText(const QJsonValue &code, QString WmoCondition::*text)
{
    // A code that is not a whole number, or one outside the table, gives no text.
    const std::optional<WmoCondition> condition = wmoCondition(code.toInt(-1));
    return condition ? (*condition).*text : QString();
}

QString temperatureOf(const QJsonValue &value)
{
    const std::optional<double> celsius = plausibleNumber(value, Temperatures);
    return celsius ? temperatureText(*celsius) : QString();
}

} // namespace

// The reasons for each line are in docs/open-meteo.md.
const std::vector<WmoCondition> WmoConditions = {
    {0, Clear, Clear},
    {1, FewClouds, FewClouds},
    {2, CloudyWithClearSpells, CloudyWithClearSpells},
    {3, Cloudy, Cloudy},
    {45, Cloudy, Cloudy},
    {48, Cloudy, Cloudy},
    {51, CloudyLightRain, ClearSpellsLightRain},
    {53, CloudyLightRain, ClearSpellsLightRain},
    {55, CloudyLightRain, ClearSpellsLightRain},
    {56, LightSleet, LightSleet},
    {57, LightSleet, LightSleet},
    {61, CloudyLightRain, ClearSpellsLightRain},
    {63, CloudyRain, CloudyRain},
    {65, CloudyRain, CloudyRain},
    {66, CloudySleetAtTimes, CloudySleetAtTimes},
    {67, CloudySleetAtTimes, CloudySleetAtTimes},
    {71, CloudyLightSnow, CloudyLightSnow},
    {73, CloudySnowAtTimes, CloudySnowAtTimes},
    {75, CloudySnow, CloudySnow},
    {77, CloudyLightSnow, CloudyLightSnow},
    {80, VariableRainAtTimes, VariableRainAtTimes},
    {81, CloudyRain, CloudyRain},
    {82, CloudyRain, CloudyRain},
    {85, ClearSpellsSnowAtTimes, ClearSpellsSnowAtTimes},
    {86, CloudySnow, CloudySnow},
    {95, CloudyRainThunder, CloudyRainThunder},
    {96, CloudyRainThunder, CloudyRainThunder},
    {99, CloudyRainThunder, CloudyRainThunder},
};

std::optional<Coordinates> stationCoordinates(const QString &index)
{
    for (const StationPlace &station : StationPlaces) {
        if (index == QLatin1String(station.index))
            return Coordinates{QLatin1String(station.latitude), QLatin1String(station.longitude)};
    }
    return std::nullopt;
}

std::optional<WmoCondition> wmoCondition(int code)
{
    const auto found = std::find_if(WmoConditions.begin(), WmoConditions.end(),
                                    [code](const WmoCondition &c) { return c.code == code; });
    if (found == WmoConditions.end())
        return std::nullopt;
    return *found;
}

QString windDirectionCode(double degrees)
{
    static const char *const Codes[] = {"n", "ne", "e", "se", "s", "sw", "w", "nw"};
    const double turned = std::fmod(std::fmod(degrees + 22.5, 360.0) + 360.0, 360.0);
    const int sector = static_cast<int>(turned / 45.0) % 8;
    return QLatin1String(Codes[sector]);
}

QString temperatureText(double celsius)
{
    const QString text = wholeNumber(celsius);
    return std::round(celsius) > 0 ? QLatin1Char('+') + text : text;
}

// The coordinates may come from a settings file edited by hand: encoded, they stay one value.
QString openMeteoAddress(const QString &endpoint, const Coordinates &place)
{
    const auto encoded = [](const QString &text) {
        return QString::fromLatin1(QUrl::toPercentEncoding(text));
    };
    return endpoint + QStringLiteral("?latitude=%1&longitude=%2&current=%3&daily=%4"
                                     "&wind_speed_unit=ms&timezone=auto&forecast_days=%5")
                          .arg(encoded(place.latitude), encoded(place.longitude),
                               QLatin1String(CurrentFields), QLatin1String(DailyFields),
                               QString::number(ForecastDays));
}

QJsonObject answerObject(const QByteArray &answer, const QString &whose)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(answer, &error);
    if (error.error != QJsonParseError::NoError)
        throw AppError(QStringLiteral("The %1 answer is not JSON: %2 at %3")
                           .arg(whose, error.errorString(), QString::number(error.offset)));
    if (!json.isObject())
        throw AppError(QStringLiteral("The %1 answer is not a JSON object").arg(whose));
    return json.object();
}

QString openMeteoDocument(const QByteArray &answer)
{
    const QJsonObject root = answerObject(answer, QStringLiteral("Open-Meteo"));

    // Everything is read before anything is written, so a bad answer fails as a whole.
    const QJsonObject current = requiredObject(root, "current");
    const QJsonValue time = current.value(QLatin1String("time"));
    if (!time.isString())
        throw AppError(QStringLiteral("The Open-Meteo answer has no current \"time\""));
    const double temperature = requiredNumber(current, "temperature_2m", Temperatures);
    const double humidity = requiredNumber(current, "relative_humidity_2m", Humidities);
    const double code = requiredNumber(current, "weather_code");
    const double windSpeed = requiredNumber(current, "wind_speed_10m", WindSpeeds);
    const double windDirection = requiredNumber(current, "wind_direction_10m");
    const QJsonObject daily = requiredObject(root, "daily");
    const QJsonArray dates = daily.value(QLatin1String("time")).toArray();
    const QJsonArray codes = requiredSeries(daily, "weather_code");
    const QJsonArray highs = requiredSeries(daily, "temperature_2m_max");
    const QJsonArray lows = requiredSeries(daily, "temperature_2m_min");

    QString document;
    QXmlStreamWriter xml(&document);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("forecast"));
    xml.writeAttribute(QStringLiteral("source"), StationText);

    const QString speed =
        QString::number(windSpeed, 'f', 1).replace(QStringLiteral("-0.0"), QStringLiteral("0.0"));
    xml.writeStartElement(QStringLiteral("fact"));
    xml.writeTextElement(QStringLiteral("station"), StationText);
    xml.writeTextElement(QStringLiteral("observation_time"), time.toString());
    xml.writeTextElement(QStringLiteral("temperature"), temperatureText(temperature));
    xml.writeTextElement(QStringLiteral("weather_type"),
                         conditionText(QJsonValue(code), &WmoCondition::current));
    // A calm has no direction; its code is the empty one.
    const bool calm = speed == QLatin1String("0.0");
    xml.writeTextElement(QStringLiteral("wind_direction"),
                         calm ? QString() : windDirectionCode(windDirection));
    xml.writeTextElement(QStringLiteral("wind_speed"), speed);
    xml.writeTextElement(QStringLiteral("humidity"), wholeNumber(humidity));
    xml.writeEndElement();

    // The reading takes the days from the root's fourth child on.
    xml.writeEmptyElement(QStringLiteral("yesterday"));
    xml.writeEmptyElement(QStringLiteral("informer"));

    // A day's parts sit where the reading looks for them: "day" from the fourth child on,
    // "night" from the sixth. Days the answer does not reach are written empty.
    for (int d = 0; d < ForecastDays; ++d) {
        xml.writeStartElement(QStringLiteral("day"));
        if (dates.at(d).isString())
            xml.writeAttribute(QStringLiteral("date"), dates.at(d).toString());
        xml.writeEmptyElement(QStringLiteral("sunrise"));
        xml.writeEmptyElement(QStringLiteral("sunset"));
        xml.writeEmptyElement(QStringLiteral("moon_phase"));
        xml.writeStartElement(QStringLiteral("day_part"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("day"));
        xml.writeTextElement(QStringLiteral("weather_type"),
                             conditionText(codes.at(d), &WmoCondition::day));
        xml.writeTextElement(QStringLiteral("temperature_to"), temperatureOf(highs.at(d)));
        xml.writeEndElement();
        xml.writeEmptyElement(QStringLiteral("day_part"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("evening"));
        xml.writeStartElement(QStringLiteral("day_part"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("night"));
        xml.writeTextElement(QStringLiteral("temperature_from"), temperatureOf(lows.at(d)));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return document;
}

} // namespace tervalo
