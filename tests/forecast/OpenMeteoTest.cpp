// SPDX-License-Identifier: MIT
#include "forecast/OpenMeteo.h"
#include "forecast/ForecastReading.h"
#include "platform/AppError.h"
#include "presentation/Conditions.h"
#include "support/Files.h"
#include "support/MoscowForecast.h"
#include "support/WidgetHarness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QUrlQuery>

#include <functional>
#include <map>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

QJsonObject fixture()
{
    return QJsonDocument::fromJson(
               test::readFileBytes(QStringLiteral(
                   TERVALO_SOURCE_DIR "/tests/forecast/fixtures/openmeteo/forecast.json")))
        .object();
}

QByteArray bytes(const QJsonObject &answer)
{
    return QJsonDocument(answer).toJson(QJsonDocument::Compact);
}

// Changes one member of one of the answer's objects ("current" or "daily").
QJsonObject withMember(QJsonObject answer, const char *object, const char *name,
                       const QJsonValue &value)
{
    QJsonObject part = answer.value(QLatin1String(object)).toObject();
    if (value.isUndefined())
        part.remove(QLatin1String(name));
    else
        part.insert(QLatin1String(name), value);
    answer.insert(QLatin1String(object), part);
    return answer;
}

// The translated answer, read and classified by the widget as any forecast document is.
class OpenMeteoTest : public ::testing::Test {
protected:
    void show(const QByteArray &answer, QTime time = QTime(12, 0))
    {
        harness.platform.clock = QDateTime(QDate(2014, 1, 1), time);
        form().XMLDocument1.loadFromText(openMeteoDocument(answer));
        form().XMLDocument1.setActive(true);
        form().ReadForecast(form().XMLDocument1.documentElement());
        form().CloudConvert();
        form().WindConvert();
    }
    TForm1 &form() { return *harness.form; }
    std::array<QString, 10> forecastLabels()
    {
        const TForm1 &f = form();
        return {f.CurrentMax->text(),  f.CurrentMin->text(), f.TomorrowMax->text(),
                f.TomorrowMin->text(), f.ThreeMax->text(),   f.ThreeMin->text(),
                f.FourMax->text(),     f.FourMin->text(),    f.FifthMax->text(),
                f.FifthMin->text()};
    }

    test::WidgetHarness harness;
};

TEST_F(OpenMeteoTest, TheAnswerShowsAsTheExportsDocumentOfTheSameWeather)
{
    show(bytes(fixture()));
    const SharedState &shared = harness.shared;
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_EQ(form().WindLabel->text(), QStringLiteral("3.0 м/с "));
    EXPECT_EQ(form().WindRumbLabel->text(), QStringLiteral(" сз"));
    EXPECT_EQ(form().HumidityLabel->text(), QStringLiteral("85%"));
    EXPECT_EQ(form().CloudLabel->text(), QStringLiteral("облачно, временами снег"));
    EXPECT_EQ(shared.ObservationTime, QStringLiteral("2014-01-01T11:30"));
    EXPECT_EQ(shared.StationName, QStringLiteral("Open-Meteo"));
    EXPECT_EQ(shared.DayWeatherTypes, test::MoscowDayConditions);
    // The same figures as the export's document of that day (fixtures/27612.xml).
    EXPECT_EQ(forecastLabels(), test::MoscowForecastTemperatures);
}

// Each code must land in the classifier's lists: the caption's list for the current weather,
// the days' list for the forecast, and a night scene for the caption.
TEST_F(OpenMeteoTest, EveryWeatherCodeGetsItsPicturesByDayAndAtNight)
{
    struct Case {
        int code;
        const char *caption;
        const char *big;
        const char *night;
        const char *small;
    };
    const Case cases[] = {
        {0, "ясно", "BSUN", "SUN", "SMSUN"},
        {1, "малооблачно", "BSUNCLOUD", "CLOUDY", "SMSUNCLOUD"},
        {2, "облачно с прояснениями", "BSUNCLOUD", "CLOUDY", "SMSUNCLOUD"},
        {3, "облачно", "BCLOUDY", "CLOUDY", "SMCLOUDY"},
        {45, "облачно", "BCLOUDY", "CLOUDY", "SMCLOUDY"},
        {48, "облачно", "BCLOUDY", "CLOUDY", "SMCLOUDY"},
        {51, "облачно, небольшой дождь", "BSHORTRAIN", "RAIN", "SMSHORTRAIN"},
        {53, "облачно, небольшой дождь", "BSHORTRAIN", "RAIN", "SMSHORTRAIN"},
        {55, "облачно, небольшой дождь", "BSHORTRAIN", "RAIN", "SMSHORTRAIN"},
        {56, "небольшой дождь со снегом", "BRAINSNOW", "SNOW", "SMRAINSNOW"},
        {57, "небольшой дождь со снегом", "BRAINSNOW", "SNOW", "SMRAINSNOW"},
        {61, "облачно, небольшой дождь", "BSHORTRAIN", "RAIN", "SMSHORTRAIN"},
        {63, "облачно, дождь", "BRAIN", "RAIN", "SMRAIN"},
        {65, "облачно, дождь", "BRAIN", "RAIN", "SMRAIN"},
        {66, "облачно, временами дождь со снегом", "BRAINSNOW", "SNOW", "SMRAINSNOW"},
        {67, "облачно, временами дождь со снегом", "BRAINSNOW", "SNOW", "SMRAINSNOW"},
        {71, "облачно, небольшой снег", "BSNOW", "SNOW", "SMSNOW"},
        {73, "облачно, временами снег", "BSNOW", "SNOW", "SMSNOW"},
        {75, "облачно, снег", "BHEAVYSNOW", "SNOW", "SMHEAVYSNOW"},
        {77, "облачно, небольшой снег", "BSNOW", "SNOW", "SMSNOW"},
        {80, "переменная облачность, временами дождь", "BSHORTRAIN", "RAIN", "SMSHORTRAIN"},
        {81, "облачно, дождь", "BRAIN", "RAIN", "SMRAIN"},
        {82, "облачно, дождь", "BRAIN", "RAIN", "SMRAIN"},
        {85, "облачно с прояснениями, временами снег", "BSNOW", "SNOW", "SMSNOW"},
        {86, "облачно, снег", "BHEAVYSNOW", "SNOW", "SMHEAVYSNOW"},
        {95, "облачно, дождь, гроза", "BLIGHTNING", "LIGHTNING", "SMLIGHTNING"},
        {96, "облачно, дождь, гроза", "BLIGHTNING", "LIGHTNING", "SMLIGHTNING"},
        {99, "облачно, дождь, гроза", "BLIGHTNING", "LIGHTNING", "SMLIGHTNING"},
    };
    ASSERT_EQ(WmoConditions.size(), std::size(cases)) << "every code is in the table below";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        QJsonObject answer = withMember(fixture(), "current", "weather_code", c.code);
        answer = withMember(answer, "daily", "weather_code", QJsonArray{1, c.code, 1, 1, 1});
        show(bytes(answer));
        EXPECT_EQ(form().CloudLabel->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(form().MainCloud->pictureName(), QLatin1String(c.big));
        EXPECT_EQ(form().TomorrowClouds->pictureName(), QLatin1String(c.small));
        EXPECT_EQ(form().TomorrowClouds->toolTip(), wmoCondition(c.code)->day);
        show(bytes(answer), QTime(23, 0));
        EXPECT_EQ(form().MainCloud->pictureName(), QLatin1String(c.night));
    }
}

TEST_F(OpenMeteoTest, ACodeOutsideTheTableShowsNoData)
{
    for (const QJsonValue code : {QJsonValue(4), QJsonValue(100), QJsonValue(2.5)}) {
        SCOPED_TRACE(code.toDouble());
        QJsonObject answer = withMember(fixture(), "current", "weather_code", code);
        answer = withMember(answer, "daily", "weather_code", QJsonArray{0, code, 0, 0, 0});
        show(bytes(answer));
        EXPECT_EQ(form().CloudLabel->text(), NoDataText);
        EXPECT_EQ(form().MainCloud->pictureName(), NoDataBigPicture);
        EXPECT_EQ(form().TomorrowClouds->pictureName(), NoDataSmallPicture);
        EXPECT_EQ(form().CurrentClouds->pictureName(), QStringLiteral("SMSUN"));
    }
}

TEST(OpenMeteoValues, WindDirectionsAtTheSectorBorders)
{
    const std::pair<double, const char *> cases[] = {
        {0, "n"},     {22.49, "n"},  {22.5, "ne"}, {67.49, "ne"}, {67.5, "e"},    {112.5, "se"},
        {157.5, "s"}, {202.5, "sw"}, {247.5, "w"}, {292.49, "w"}, {292.5, "nw"},  {337.49, "nw"},
        {337.5, "n"}, {359.99, "n"}, {360, "n"},   {-22.5, "n"},  {-22.51, "nw"}, {765, "ne"},
    };
    for (const auto &[degrees, code] : cases)
        EXPECT_EQ(windDirectionCode(degrees), QLatin1String(code)) << degrees << "°";
}

TEST(OpenMeteoValues, TemperaturesAreWholeDegreesWithASignAboveZero)
{
    const std::pair<double, const char *> cases[] = {
        {0, "0"},     {-0.0, "0"},    {0.49, "0"},    {-0.49, "0"},  {0.5, "+1"},
        {-0.5, "-1"}, {12.49, "+12"}, {-12.5, "-13"}, {35.7, "+36"}, {-40.2, "-40"},
    };
    for (const auto &[celsius, text] : cases)
        EXPECT_EQ(temperatureText(celsius), QLatin1String(text)) << celsius;
}

TEST_F(OpenMeteoTest, WindSpeedHasOneDecimalHumidityNoneAndACalmNoDirection)
{
    struct Case {
        double speed, humidity;
        const char *wind, *direction, *humidityText;
    };
    const Case cases[] = {{3.04, 84.5, "3.0 м/с ", " в", "85%"},
                          {12.96, 100, "13.0 м/с ", " в", "100%"},
                          {0.04, 0.4, "0.0 м/с ", " ", "0%"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.speed);
        QJsonObject answer = withMember(fixture(), "current", "wind_speed_10m", c.speed);
        answer = withMember(answer, "current", "wind_direction_10m", 90);
        answer = withMember(answer, "current", "relative_humidity_2m", c.humidity);
        show(bytes(answer));
        EXPECT_EQ(form().WindLabel->text(), QString::fromUtf8(c.wind));
        EXPECT_EQ(form().WindRumbLabel->text(), QString::fromUtf8(c.direction));
        EXPECT_EQ(form().HumidityLabel->text(), QString::fromUtf8(c.humidityText));
    }
}

TEST_F(OpenMeteoTest, NullOrMissingDayValuesAndAShortListShowNoData)
{
    const QString none = QStringLiteral("н/д");
    // Tomorrow has no code and no low, and the highs stop after tomorrow.
    QJsonObject answer =
        withMember(fixture(), "daily", "weather_code", QJsonArray{73, QJsonValue::Null, 3, 63, 2});
    answer = withMember(answer, "daily", "temperature_2m_min",
                        QJsonArray{-4.5, QJsonValue::Null, -5.7, -0.5, -4.4});
    answer = withMember(answer, "daily", "temperature_2m_max", QJsonArray{-0.6, 0.5});
    show(bytes(answer));
    EXPECT_EQ(forecastLabels(),
              (std::array<QString, 10>{QStringLiteral("-1"), QStringLiteral("-5"),
                                       QStringLiteral("+1"), none, none, QStringLiteral("-6"), none,
                                       QStringLiteral("-1"), none, QStringLiteral("-4")}));
    EXPECT_EQ(form().TomorrowClouds->pictureName(), NoDataSmallPicture);
    EXPECT_EQ(form().TomorrowClouds->toolTip(), NoDataText);
    EXPECT_EQ(form().ThreeClouds->pictureName(), QStringLiteral("SMCLOUDY"));

    // Two days only: the other three show no data, the current weather all of its own.
    answer = fixture();
    QJsonObject daily = answer.value(QStringLiteral("daily")).toObject();
    for (const QString &series : daily.keys()) {
        QJsonArray values = daily.value(series).toArray();
        while (values.size() > 2)
            values.removeLast();
        daily.insert(series, values);
    }
    answer.insert(QStringLiteral("daily"), daily);
    show(bytes(answer));
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_EQ(form().TomorrowMax->text(), QStringLiteral("+1"));
    EXPECT_EQ(form().ThreeMax->text(), none);
    EXPECT_EQ(form().FifthMin->text(), none);
    EXPECT_EQ(form().FifthClouds->pictureName(), NoDataSmallPicture);
}

// A value beyond what the weather can be takes the road of a missing one: a current value fails
// the forecast, a day value shows no data. The bounds belong to the plausible range. The number
// is written into the answer's text as it stands.
TEST_F(OpenMeteoTest, AnImplausibleValueCountsAsMissing)
{
    struct Case {
        const char *object, *name, *number;
        const char *shown; // nullptr: the value counts as missing
    };
    const Case cases[] = {
        {"current", "temperature_2m", "-100", "-100°"},
        {"current", "temperature_2m", "70", "+70°"},
        {"current", "temperature_2m", "-100.01", nullptr},
        {"current", "temperature_2m", "70.01", nullptr},
        {"current", "temperature_2m", "999.6", nullptr},
        {"current", "temperature_2m", "1e308", nullptr},
        {"current", "temperature_2m", "-1e308", nullptr},
        {"current", "relative_humidity_2m", "0", "0%"},
        {"current", "relative_humidity_2m", "100", "100%"},
        {"current", "relative_humidity_2m", "-0.01", nullptr},
        {"current", "relative_humidity_2m", "100.01", nullptr},
        {"current", "relative_humidity_2m", "150", nullptr},
        {"current", "wind_speed_10m", "0", "0.0 м/с "},
        {"current", "wind_speed_10m", "150", "150.0 м/с "},
        {"current", "wind_speed_10m", "-0.01", nullptr},
        {"current", "wind_speed_10m", "-5", nullptr},
        {"current", "wind_speed_10m", "150.01", nullptr},
        {"daily", "temperature_2m_max", "-100", "-100"},
        {"daily", "temperature_2m_max", "70", "+70"},
        {"daily", "temperature_2m_max", "-100.01", nullptr},
        {"daily", "temperature_2m_max", "70.01", nullptr},
        {"daily", "temperature_2m_max", "999.6", nullptr},
        {"daily", "temperature_2m_max", "1e308", nullptr},
        {"daily", "temperature_2m_min", "-100", "-100"},
        {"daily", "temperature_2m_min", "70", "+70"},
        {"daily", "temperature_2m_min", "-100.01", nullptr},
        {"daily", "temperature_2m_min", "70.01", nullptr},
        {"daily", "temperature_2m_min", "-1e308", nullptr},
    };
    const std::map<QString, const TLabel *> labels = {
        {QStringLiteral("temperature_2m"), form().TemLabel},
        {QStringLiteral("relative_humidity_2m"), form().HumidityLabel},
        {QStringLiteral("wind_speed_10m"), form().WindLabel},
        {QStringLiteral("temperature_2m_max"), form().TomorrowMax},
        {QStringLiteral("temperature_2m_min"), form().TomorrowMin},
    };
    const QLatin1String placeholder("12345.678");
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.number);
        const bool current = QLatin1String(c.object) == QLatin1String("current");
        const QJsonValue value =
            current ? QJsonValue(placeholder.toString().toDouble())
                    : QJsonValue(QJsonArray{0, placeholder.toString().toDouble(), 0, 0, 0});
        QByteArray answer = bytes(withMember(fixture(), c.object, c.name, value));
        ASSERT_TRUE(answer.contains(placeholder.data()));
        answer.replace(placeholder.data(), c.number);
        if (current && !c.shown) {
            EXPECT_THROW(openMeteoDocument(answer), AppError);
            continue;
        }
        show(answer);
        const QString expected = c.shown ? QString::fromUtf8(c.shown) : NoData;
        EXPECT_EQ(labels.at(QLatin1String(c.name))->text(), expected);
    }
    // A number beyond a double's range makes the answer no JSON at all, wherever it stands.
    const std::pair<const char *, const char *> beyondDouble[] = {
        {"\"temperature_2m\":-2.4", "\"temperature_2m\":-1e999"},
        {"\"temperature_2m_max\":[-0.6", "\"temperature_2m_max\":[1e999"},
    };
    for (const auto &[from, to] : beyondDouble) {
        QByteArray answer = bytes(fixture());
        ASSERT_TRUE(answer.contains(from));
        EXPECT_THROW(openMeteoDocument(answer.replace(from, to)), AppError) << to;
    }
}

TEST(OpenMeteoAnswers, AnAnswerWithoutWhatTheDocumentNeedsIsAnError)
{
    const QJsonObject good = fixture();
    QJsonObject noCurrent = good;
    noCurrent.remove(QStringLiteral("current"));
    QJsonObject noDaily = good;
    noDaily.remove(QStringLiteral("daily"));
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty", ""},
        {"HTML", "<!DOCTYPE html><html><body>Rate limit</body></html>"},
        {"truncated", bytes(good).left(200)},
        {"an array", "[1, 2]"},
        {"an error object", R"({"error":true,"reason":"Latitude must be in range"})"},
        {"no current", bytes(noCurrent)},
        {"no daily", bytes(noDaily)},
        {"current temperature null", bytes(withMember(good, "current", "temperature_2m", {}))},
        {"current humidity missing",
         bytes(withMember(good, "current", "relative_humidity_2m", QJsonValue::Undefined))},
        {"current code a text", bytes(withMember(good, "current", "weather_code", "73"))},
        {"current wind missing",
         bytes(withMember(good, "current", "wind_speed_10m", QJsonValue::Undefined))},
        {"current direction null", bytes(withMember(good, "current", "wind_direction_10m", {}))},
        {"no observation time", bytes(withMember(good, "current", "time", QJsonValue::Undefined))},
        {"daily codes missing",
         bytes(withMember(good, "daily", "weather_code", QJsonValue::Undefined))},
        {"daily highs not a list", bytes(withMember(good, "daily", "temperature_2m_max", 3))},
        {"daily lows missing",
         bytes(withMember(good, "daily", "temperature_2m_min", QJsonValue::Undefined))},
    };
    for (const auto &[what, answer] : cases)
        EXPECT_THROW(openMeteoDocument(answer), AppError) << what;
    EXPECT_NO_THROW(openMeteoDocument(bytes(good)));
}

TEST(OpenMeteoRequest, AsksForTheTownsPlaceAndTheFieldsTheDocumentNeeds)
{
    const std::optional<Coordinates> moscow = stationCoordinates(QStringLiteral("27612"));
    ASSERT_TRUE(moscow.has_value());
    EXPECT_EQ(*moscow, (Coordinates{QStringLiteral("55.8333"), QStringLiteral("37.6167")}));
    const QUrl address(
        openMeteoAddress(QStringLiteral("https://api.open-meteo.com/v1/forecast"), *moscow));
    EXPECT_EQ(address.toString(QUrl::RemoveQuery),
              QStringLiteral("https://api.open-meteo.com/v1/forecast"));
    const QUrlQuery query(address);
    const std::pair<const char *, const char *> expected[] = {
        {"latitude", "55.8333"},
        {"longitude", "37.6167"},
        {"current",
         "temperature_2m,relative_humidity_2m,weather_code,wind_speed_10m,wind_direction_10m"},
        {"daily", "weather_code,temperature_2m_max,temperature_2m_min"},
        {"wind_speed_unit", "ms"},
        {"timezone", "auto"},
        {"forecast_days", "5"},
    };
    EXPECT_EQ(query.queryItems().size(), static_cast<qsizetype>(std::size(expected)));
    for (const auto &[name, value] : expected)
        EXPECT_EQ(query.queryItemValue(QLatin1String(name)), QLatin1String(value)) << name;
}

// The table must cover the shipped town directory, so that every town a user can pick has its
// forecast.
TEST(StationCoordinates, EveryShippedTownHasAPlace)
{
    XmlDocument towns;
    towns.loadFromFile(QStringLiteral(TERVALO_SOURCE_DIR "/data/cities.xml"));
    towns.setActive(true);
    int checked = 0;
    for (std::optional<XmlNode> country = towns.documentElement().firstChild(); country;
         country = country->nextSibling()) {
        if (!country->isElement())
            continue;
        for (std::optional<XmlNode> town = country->firstChild(); town;
             town = town->nextSibling()) {
            if (!town->isElement())
                continue;
            const QString id = town->attribute(QStringLiteral("id")).value_or(QString());
            SCOPED_TRACE(id.toStdString());
            const std::optional<Coordinates> place = stationCoordinates(id);
            ASSERT_TRUE(place.has_value());
            bool latitudeOk = false, longitudeOk = false;
            const double latitude = place->latitude.toDouble(&latitudeOk);
            const double longitude = place->longitude.toDouble(&longitudeOk);
            EXPECT_TRUE(latitudeOk && latitude >= -90 && latitude <= 90);
            EXPECT_TRUE(longitudeOk && longitude >= -180 && longitude <= 180);
            ++checked;
        }
    }
    EXPECT_EQ(checked, static_cast<int>(StationPlaces.size()))
        << "the table holds the directory's towns and no others";
}

// The two towns the station list does not hold under their own index: Ярославль takes the
// list's station 27331, Новороссийск its own place from GeoNames.
TEST(StationCoordinates, TownsOutsideTheListHaveTheirRecordedPlace)
{
    EXPECT_EQ(stationCoordinates(QStringLiteral("27330")),
              (Coordinates{QStringLiteral("57.6333"), QStringLiteral("39.75")}));
    EXPECT_EQ(stationCoordinates(QStringLiteral("37006")),
              (Coordinates{QStringLiteral("44.73188"), QStringLiteral("37.76176")}));
    EXPECT_EQ(stationCoordinates(QStringLiteral("27331")), std::nullopt)
        << "the station itself is no town of the directory";
}

} // namespace
} // namespace tervalo
