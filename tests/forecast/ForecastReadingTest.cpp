// SPDX-License-Identifier: MIT
#include "forecast/ForecastReading.h"
#include "platform/AppError.h"
#include "support/Files.h"
#include "support/MoscowForecast.h"
#include "support/WidgetHarness.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

QString fixture(const char *name)
{
    return QString::fromUtf8(test::readFileBytes(
        QStringLiteral(TERVALO_SOURCE_DIR "/tests/forecast/fixtures/") + QLatin1String(name)));
}

// A forecast document: the given "fact" element, two filler children, then five days whose
// parts are children 3 ("day") and 5 ("night") unless a day's own children are given.
QString document(const QString &fact, const std::array<QString, 5> &days = {})
{
    QString text = QStringLiteral("<forecast>") + fact + QStringLiteral("<a/><b/>");
    for (int d = 0; d < 5; ++d) {
        const QString standard =
            QStringLiteral("<x/><x/><x/><part type='day'><weather_type>ясно</weather_type>"
                           "<temperature_to>%1</temperature_to></part><x/>"
                           "<part type='night'><temperature_from>-%1</temperature_from></part>")
                .arg(d + 1);
        text += QStringLiteral("<day>") + (days[d].isEmpty() ? standard : days[d]) +
                QStringLiteral("</day>");
    }
    return text + QStringLiteral("</forecast>");
}

class ForecastReadingTest : public ::testing::Test {
protected:
    void read(const QString &text)
    {
        TForm1 &form = *harness.form;
        form.XMLDocument1.loadFromText(text);
        form.ReadForecast(form.XMLDocument1.documentElement());
    }
    std::array<QString, 10> forecastLabels() const
    {
        const TForm1 &f = *harness.form;
        return {f.CurrentMax->text(),  f.CurrentMin->text(), f.TomorrowMax->text(),
                f.TomorrowMin->text(), f.ThreeMax->text(),   f.ThreeMin->text(),
                f.FourMax->text(),     f.FourMin->text(),    f.FifthMax->text(),
                f.FifthMin->text()};
    }

    test::WidgetHarness harness;
};

TEST_F(ForecastReadingTest, ReadsADocumentOfTheServicesShape)
{
    read(fixture("27612.xml"));
    const TForm1 &form = *harness.form;
    const SharedState &shared = harness.shared;
    EXPECT_EQ(form.TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_EQ(form.WindLabel->text(), QStringLiteral("3.0 м/с "));
    EXPECT_EQ(form.HumidityLabel->text(), QStringLiteral("85%"));
    EXPECT_EQ(shared.FactWeatherType, QStringLiteral("облачно, временами снег"));
    EXPECT_EQ(shared.WindDirectionCode, QStringLiteral("nw"));
    EXPECT_EQ(shared.ObservationTime, QStringLiteral("2014-01-01T11:30:00"));
    EXPECT_EQ(shared.StationName, QStringLiteral("Москва (ВДНХ)")) << "the first station";
    EXPECT_EQ(shared.DayWeatherTypes, test::MoscowDayConditions);
    EXPECT_EQ(forecastLabels(), test::MoscowForecastTemperatures);
}

TEST_F(ForecastReadingTest, ShowsTheTextsAsWrittenWithTheirFixedAdditions)
{
    struct Case {
        const char *what;
        QString fact;
        QString temperature, wind, humidity;
    };
    const Case cases[] = {
        {"values",
         QStringLiteral("<fact><temperature>-2</temperature><wind_speed>3.0</wind_speed>"
                        "<humidity>70</humidity></fact>"),
         QStringLiteral("-2°"), QStringLiteral("3.0 м/с "), QStringLiteral("70%")},
        {"a plus sign only when written",
         QStringLiteral("<fact><temperature>+5</temperature></fact>"), QStringLiteral("+5°"),
         QStringLiteral(" м/с "), QStringLiteral("%")},
        {"empty elements", QStringLiteral("<fact><temperature/><wind_speed></wind_speed></fact>"),
         QStringLiteral("°"), QStringLiteral(" м/с "), QStringLiteral("%")},
        {"no fact at all", QStringLiteral("<nofact/>"), QStringLiteral("°"),
         QStringLiteral(" м/с "), QStringLiteral("%")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        read(document(c.fact));
        EXPECT_EQ(harness.form->TemLabel->text(), c.temperature);
        EXPECT_EQ(harness.form->WindLabel->text(), c.wind);
        EXPECT_EQ(harness.form->HumidityLabel->text(), c.humidity);
    }
    EXPECT_EQ(harness.shared.FactWeatherType, QString());
    EXPECT_EQ(harness.shared.StationName, QString());

    // Forecast temperatures: no sign, no unit, the no-data text for an empty or missing one.
    const QString noNumbers =
        QStringLiteral("<x/><x/><x/><part type='day'><temperature_to/></part><x/>"
                       "<part type='night'></part>");
    read(document(QStringLiteral("<fact/>"),
                  {noNumbers, QString(), QString(), QString(), QString()}));
    EXPECT_EQ(harness.form->CurrentMax->text(), NoData);
    EXPECT_EQ(harness.form->CurrentMin->text(), NoData);
    EXPECT_EQ(harness.form->TomorrowMax->text(), QStringLiteral("2"));
    EXPECT_EQ(harness.form->TomorrowMin->text(), QStringLiteral("-2"));
}

TEST(DayPartSearch, TakesTheFirstMatchFromItsStartIndex)
{
    struct Case {
        const char *what;
        QString children;
        QString type;
        int first;
        int expected; // the child's attribute "n"; -1: the search fails
    };
    const auto part = [](const char *type, int n) {
        return QStringLiteral("<p type='%1' n='%2'/>").arg(QLatin1String(type)).arg(n);
    };
    const Case cases[] = {
        {"parts before the start are never looked at",
         part("day", 0) + part("day", 1) + part("day", 2) + part("x", 3) + part("day", 4),
         QStringLiteral("day"), 3, 4},
        {"the first match wins",
         QStringLiteral("<a/><a/><a/>") + part("day", 3) + part("x", 4) + part("x", 5) +
             part("x", 6) + part("day", 7),
         QStringLiteral("day"), 3, 3},
        {"the only night part before index 5",
         QStringLiteral("<a/><a/><a/>") + part("night", 3) + part("x", 4) + part("day", 5),
         QStringLiteral("night"), 5, -1},
        {"the type matches exactly",
         QStringLiteral("<a/><a/><a/>") + part("Day", 3) + part("day ", 4) +
             QStringLiteral("<p n='5'/><!-- day -->") + part("day", 6),
         QStringLiteral("day"), 3, 6},
        {"no children from the start", QStringLiteral("<a/><a/>"), QStringLiteral("day"), 3, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        XmlDocument document;
        document.loadFromText(QStringLiteral("<day>") + c.children + QStringLiteral("</day>"));
        const XmlNode day = document.documentElement();
        if (c.expected < 0) {
            EXPECT_THROW(findDayPart(day, c.type, c.first), AppError);
            continue;
        }
        EXPECT_EQ(findDayPart(day, c.type, c.first).attribute(QStringLiteral("n")),
                  QString::number(c.expected));
    }
}

TEST_F(ForecastReadingTest, AFailureLeavesWhatWasWrittenBeforeItAndNothingAfter)
{
    read(fixture("27612.xml"));
    const std::array<QString, 10> before = forecastLabels();
    const std::array<QString, 6> conditionsBefore = harness.shared.DayWeatherTypes;

    // The third day's only night part is its child 4: the search from 5 runs out.
    const QString nightTooEarly =
        QStringLiteral("<x/><x/><x/><part type='day'><weather_type>снег</weather_type>"
                       "<temperature_to>7</temperature_to></part>"
                       "<part type='night'><temperature_from>-7</temperature_from></part>");
    EXPECT_THROW(read(document(QStringLiteral("<fact><temperature>9</temperature></fact>"),
                               {QString(), QString(), nightTooEarly, QString(), QString()})),
                 AppError);
    EXPECT_EQ(harness.form->TemLabel->text(), QStringLiteral("9°"));
    std::array<QString, 10> expected = before;
    expected[0] = QStringLiteral("1"), expected[1] = QStringLiteral("-1");
    expected[2] = QStringLiteral("2"), expected[3] = QStringLiteral("-2");
    EXPECT_EQ(forecastLabels(), expected) << "days 1 and 2 new, the rest as before";
    EXPECT_EQ(harness.shared.DayWeatherTypes[3], QStringLiteral("снег"))
        << "read before the failing search";
    EXPECT_EQ(harness.shared.DayWeatherTypes[4], conditionsBefore[4]);

    // Fewer than eight children: the days cannot be found.
    EXPECT_THROW(read(QStringLiteral("<forecast><fact/><a/><b/><day/></forecast>")), AppError);
    // Text where a single text node belongs.
    EXPECT_THROW(read(document(QStringLiteral("<fact><temperature><b>1</b></temperature></fact>"))),
                 AppError);
}

TEST_F(ForecastReadingTest, ReadsADayCrowdedWithChildrenQuickly)
{
    // 160,000 empty children before the parts: 640 KB, well inside the body cap. Seeking each
    // part child by child from the first would hold the clock for the best part of a minute.
    const QString crowded = QStringLiteral("<x/>").repeated(160000) +
                            QStringLiteral("<part type='day'><temperature_to>8</temperature_to>"
                                           "</part><part type='night'><temperature_from>-8"
                                           "</temperature_from></part>");
    QElapsedTimer elapsed;
    elapsed.start();
    read(
        document(QStringLiteral("<fact/>"), {QString(), QString(), crowded, QString(), QString()}));
    EXPECT_LT(elapsed.elapsed(), 3000);
    EXPECT_EQ(harness.form->ThreeMax->text(), QStringLiteral("8"));
    EXPECT_EQ(harness.form->ThreeMin->text(), QStringLiteral("-8"));
}

TEST_F(ForecastReadingTest, TheSmallestCompleteDocumentReads)
{
    read(fixture("minimal.xml"));
    EXPECT_EQ(harness.form->FifthMax->text(), QStringLiteral("5"));
    EXPECT_EQ(harness.form->FifthMin->text(), QStringLiteral("-5"));
    EXPECT_EQ(harness.form->TemLabel->text(), QStringLiteral("°"));
}

} // namespace
} // namespace tervalo
