// SPDX-License-Identifier: MIT
#include "presentation/ClockFaces.h"
#include "support/WidgetHarness.h"

#include <gtest/gtest.h>

namespace tervalo {
namespace {

TEST(ClockText, FormatsTheTimeWithTheRegionalSeparator)
{
    const QTime time(9, 7, 3);
    struct Case {
        const char *format;
        const char *separator;
        const char *text;
    };
    const Case cases[] = {
        {"hh:nn:ss", ":", "09:07:03"}, {"hh:nn", ":", "09:07"}, {"hh:nn", ".", "09.07"},
        {"HH:NN", ":", "09:07"},       {"hh nn", ":", "09 07"}, {"", ":", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatClock(QLatin1String(c.format), time, QLatin1String(c.separator)),
                  QLatin1String(c.text))
            << c.format;
    EXPECT_EQ(formatClock(HoursMinutesSeconds, QTime(23, 59, 59), QStringLiteral(":")),
              QStringLiteral("23:59:59"));
    EXPECT_EQ(formatClock(HoursMinutes, QTime(0, 5), QStringLiteral(":")), QStringLiteral("00:05"));
}

class ClockFacesTest : public ::testing::Test {
protected:
    void at(QTime time) { harness.platform.clock.setTime(time); }
    TForm1 &form() { return *harness.form; }
    test::WidgetHarness harness;
};

TEST_F(ClockFacesTest, TheFlipFaceShowsTheHourAndTheMinuteCards)
{
    const std::tuple<QTime, const char *, const char *> cases[] = {
        {QTime(0, 5), "clock0", "clock5"},
        {QTime(23, 59, 59), "clock23", "clock59"},
        {QTime(9, 7, 3), "clock9", "clock7"}};
    for (const auto &[time, hour, minute] : cases) {
        at(time);
        form().ClockTimer();
        EXPECT_EQ(form().Hours->pictureName(), QLatin1String(hour));
        EXPECT_EQ(form().Minutes->pictureName(), QLatin1String(minute));
        EXPECT_FALSE(form().Hours->isEmpty()) << "the card picture exists";
        EXPECT_FALSE(form().Minutes->isEmpty());
    }
}

TEST_F(ClockFacesTest, TheDigitalSkinShowsSecondsOnlyWithoutTheWeather)
{
    at(QTime(9, 7, 3));
    harness.shared.AppSettings.PanelsMode = 1;
    form().MainCloud->hide();
    form().clockChanger();
    form().TimerModernTimer();
    EXPECT_EQ(form().ModernClock->text(), QStringLiteral("09:07:03"));
    EXPECT_TRUE(form().sepLabel->isHidden());

    form().MainCloud->show();
    form().clockChanger();
    form().TimerModernTimer();
    EXPECT_EQ(form().ModernClock->text(), QStringLiteral("09:07"));
    EXPECT_FALSE(form().sepLabel->isHidden());

    // Another skin leaves the format and the bar as they are.
    harness.shared.AppSettings.PanelsMode = 2;
    harness.shared.ClockFormat = HoursMinutes;
    form().MainCloud->hide();
    form().clockChanger();
    EXPECT_EQ(harness.shared.ClockFormat, HoursMinutes);
    EXPECT_FALSE(form().sepLabel->isHidden());
}

} // namespace
} // namespace tervalo
