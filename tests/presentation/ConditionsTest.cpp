// SPDX-License-Identifier: MIT
#include "presentation/Conditions.h"
#include "support/WidgetHarness.h"

#include <gtest/gtest.h>

namespace tervalo {
namespace {

// One classification: the current text, the same text for every day, at the given time.
void classify(test::WidgetHarness &harness, const QString &current, const QString &days, QTime time)
{
    harness.shared.FactWeatherType = current;
    for (int day = 1; day <= 5; ++day)
        harness.shared.DayWeatherTypes[day] = days;
    harness.platform.clock.setTime(time);
    harness.form->CloudConvert();
}

class ConditionsTest : public ::testing::Test {
protected:
    void classify(const QString &current, const QString &days, QTime time = QTime(12, 0))
    {
        tervalo::classify(harness, current, days, time);
    }
    TForm1 &form() { return *harness.form; }
    test::WidgetHarness harness;
};

TEST(Conditions, ClassifiesEachTextByTheRulesAndTheClock)
{
    struct Case {
        const char *text;
        QTime time;
        const char *big, *caption, *small, *tooltip;
    };
    const QTime noon(12, 0), late(22, 0), early(6, 59, 59), morning(7, 0);
    const Case cases[] = {
        {"ясно", noon, "BSUN", "ясно", "SMSUN", "ясно"},
        {"ясно", late, "SUN", "ясно", "SMSUN", "ясно"},
        {"ясно", early, "SUN", "ясно", "SMSUN", "ясно"},
        {"ясно", morning, "BSUN", "ясно", "SMSUN", "ясно"},
        {"Ясно", noon, "BNA", "Нет данных", "SMNA", "Нет данных"},
        {"ясно ", noon, "BNA", "Нет данных", "SMNA", "Нет данных"},
        {"облачно с прояснениями", noon, "BSUNCLOUD", "облачно с прояснениями", "SMSUNCLOUD",
         "облачно с прояснениями"},
        {"облачно", late, "CLOUDY", "облачно", "SMCLOUDY", "облачно"},
        {"малооблачно, без существенных осадков", noon, "BSHORTRAIN",
         "малооблачно, без существенных осадков", "SMSHORTRAIN",
         "малооблачно, без существенных осадков"},
        {"малооблачно, без существенных осадков", late, "RAIN",
         "малооблачно, без существенных осадков", "SMSHORTRAIN",
         "малооблачно, без существенных осадков"},
        // Rule 5 knows this text for the current weather only, and the next one for days only.
        {"облачно, небольшой дождь", noon, "BSHORTRAIN", "облачно, небольшой дождь", "SMNA",
         "Нет данных"},
        {"облачно, небольшой дождь", early, "RAIN", "облачно, небольшой дождь", "SMNA",
         "Нет данных"},
        {"переменная облачность, небольшой дождь", noon, "BNA", "Нет данных", "SMSHORTRAIN",
         "переменная облачность, небольшой дождь"},
        {"облачно, временами дождь", noon, "BPASMURNO", "облачно, временами дождь", "SMPASMURNO",
         "облачно, временами дождь"},
        {"облачно, временами дождь", late, "RAIN", "облачно, временами дождь", "SMPASMURNO",
         "облачно, временами дождь"},
        {"облачно, дождь, гроза", late, "LIGHTNING", "облачно, дождь, гроза", "SMLIGHTNING",
         "облачно, дождь, гроза"},
        {"небольшой дождь со снегом", noon, "BRAINSNOW", "небольшой дождь со снегом", "SMRAINSNOW",
         "небольшой дождь со снегом"},
        {"облачно, снег", late, "SNOW", "облачно, снег", "SMHEAVYSNOW", "облачно, снег"},
        {"", noon, "BNA", "Нет данных", "SMNA", "Нет данных"},
        {"", late, "BNA", "Нет данных", "SMNA", "Нет данных"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + c.time.toString().toStdString());
        test::WidgetHarness fresh; // a window that has shown no picture yet
        classify(fresh, QString::fromUtf8(c.text), QString::fromUtf8(c.text), c.time);
        const TForm1 &form = *fresh.form;
        EXPECT_EQ(form.MainCloud->pictureName(), QLatin1String(c.big));
        EXPECT_EQ(form.CloudLabel->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(form.TomorrowClouds->pictureName(), QLatin1String(c.small));
        EXPECT_EQ(form.TomorrowClouds->toolTip(), QString::fromUtf8(c.tooltip));
    }
}

TEST_F(ConditionsTest, TodaysSnowAtTimesIsCalledSnowAndEachDayHasItsOwnText)
{
    harness.shared.FactWeatherType = QStringLiteral("ясно");
    harness.shared.DayWeatherTypes = {QString(),
                                      QStringLiteral("облачно, временами снег"),
                                      QStringLiteral("облачно, временами снег"),
                                      QStringLiteral("облачно"),
                                      QString(),
                                      QStringLiteral("облачно, дождь")};
    form().CloudConvert();
    EXPECT_EQ(form().CurrentClouds->toolTip(), QStringLiteral("Снег"));
    EXPECT_EQ(form().CurrentClouds->pictureName(), QStringLiteral("SMSNOW"));
    EXPECT_EQ(form().TomorrowClouds->toolTip(), QStringLiteral("облачно, временами снег"));
    EXPECT_EQ(form().ThreeClouds->pictureName(), QStringLiteral("SMCLOUDY"));
    EXPECT_EQ(form().FourClouds->pictureName(), QStringLiteral("SMNA"));
    EXPECT_EQ(form().FifthClouds->pictureName(), QStringLiteral("SMRAIN"));
}

TEST_F(ConditionsTest, AnUnknownTextKeepsWhatAnEarlierUpdateShowed)
{
    classify(QStringLiteral("облачно"), QStringLiteral("облачно"));
    classify(QStringLiteral("туман"), QStringLiteral("облачно, небольшой дождь"));
    EXPECT_EQ(form().MainCloud->pictureName(), QStringLiteral("BCLOUDY"));
    EXPECT_EQ(form().CloudLabel->text(), QStringLiteral("облачно"));
    EXPECT_EQ(form().TomorrowClouds->pictureName(), QStringLiteral("SMCLOUDY"));
    EXPECT_EQ(form().TomorrowClouds->toolTip(), QStringLiteral("облачно"));

    // "Нет данных" has no night picture: the no-data picture stays at night.
    classify(QString(), QString(), QTime(23, 30));
    EXPECT_EQ(form().MainCloud->pictureName(), QStringLiteral("BNA"));
    EXPECT_EQ(form().CloudLabel->text(), QStringLiteral("Нет данных"));
    EXPECT_EQ(form().TomorrowClouds->pictureName(), QStringLiteral("SMNA"));

    // At night a caption left by an earlier update decides the picture.
    classify(QStringLiteral("ясно"), QStringLiteral("ясно"));
    classify(QStringLiteral("туман"), QStringLiteral("ясно"), QTime(2, 0));
    EXPECT_EQ(form().MainCloud->pictureName(), QStringLiteral("SUN"));
}

TEST(NightRule, RunsFromTenInTheEveningToSevenInTheMorning)
{
    EXPECT_FALSE(isNight(QTime(21, 59, 59)));
    EXPECT_TRUE(isNight(QTime(22, 0)));
    EXPECT_TRUE(isNight(QTime(0, 0)));
    EXPECT_TRUE(isNight(QTime(6, 59, 59)));
    EXPECT_FALSE(isNight(QTime(7, 0)));
    EXPECT_EQ(nightPicture(QStringLiteral("переменная облачность, небольшой дождь")), std::nullopt);
    EXPECT_EQ(nightPicture(QStringLiteral("Нет данных")), std::nullopt);
}

} // namespace
} // namespace tervalo
