// SPDX-License-Identifier: MIT
#include "forecast/DisplayTexts.h"
#include "support/WidgetHarness.h"

#include <gtest/gtest.h>

namespace tervalo {
namespace {

class DisplayTextsTest : public ::testing::Test {
protected:
    TForm1 &form() { return *harness.form; }
    void on(QDate date) { harness.platform.clock.setDate(date); }
    test::WidgetHarness harness;
};

TEST_F(DisplayTextsTest, TheWindDirectionFollowsTheCodeOrKeepsTheLastOne)
{
    const std::pair<const char *, const char *> cases[] = {
        {"sw", " юз"}, {"", " "},   {"n", " с"}, {"N", " с"},   {"ne", " св"},   {"e", " в"},
        {"se", " юв"}, {"s", " ю"}, {"w", " з"}, {"nw", " сз"}, {"calm", " сз"}, {"SW", " сз"},
    };
    for (const auto &[code, shown] : cases) {
        harness.shared.WindDirectionCode = QLatin1String(code);
        form().WindConvert();
        EXPECT_EQ(form().WindRumbLabel->text(), QString::fromUtf8(shown)) << "after " << code;
    }
}

TEST_F(DisplayTextsTest, TheDateLineInEachFormat)
{
    const QDate newYear(2014, 1, 1); // a Wednesday
    const QDate christmas(2014, 12, 25);
    struct Case {
        int format;
        QDate date;
        const char *line;
    };
    const Case cases[] = {
        {0, newYear, "среда, 1 января "},     {1, newYear, "среда, 1 января 2014"},
        {2, newYear, "1 января 2014"},        {3, newYear, "1.1.2014"},
        {3, christmas, "25.12.2014"},         {0, christmas, "четверг, 25 декабря "},
        {7, newYear, "четверг, 25 декабря "}, {-1, newYear, "четверг, 25 декабря "},
    };
    for (const Case &c : cases) {
        harness.shared.AppSettings.DateFormat = c.format;
        on(c.date);
        form().DateConvert();
        EXPECT_EQ(form().DateLabel->text(), QString::fromUtf8(c.line)) << "format " << c.format;
    }
    const QFontMetrics metrics(form().DateLabel->font());
    EXPECT_EQ(form().DateLabel->width(),
              metrics.horizontalAdvance(QStringLiteral("четверг, 25 декабря ")))
        << "the trailing space counts in the width";
}

TEST_F(DisplayTextsTest, TheDayNamesFollowTheDateAcrossTheWeekEnd)
{
    const std::pair<QDate, std::array<const char *, 3>> cases[] = {
        {QDate(2014, 1, 2), {"суббота", "воскресенье", "понедельник"}}, // Thursday
        {QDate(2014, 1, 5), {"вторник", "среда", "четверг"}},           // Sunday
        {QDate(2014, 1, 3), {"воскресенье", "понедельник", "вторник"}}, // Friday
    };
    for (const auto &[date, names] : cases) {
        on(date);
        form().DayConvert();
        EXPECT_EQ(form().ThreeDay->text(), QString::fromUtf8(names[0]));
        EXPECT_EQ(form().FourDay->text(), QString::fromUtf8(names[1]));
        EXPECT_EQ(form().FifthDay->text(), QString::fromUtf8(names[2]));
    }
    EXPECT_EQ(form().CurrentDay->text(), QStringLiteral("сегодня"));
    EXPECT_EQ(form().TommorowDay->text(), QStringLiteral("завтра"));
}

TEST_F(DisplayTextsTest, TheTemperatureLabelShownAndItsHint)
{
    harness.shared.AppSettings.TempLabel = true;
    form().FlickTemp();
    EXPECT_TRUE(form().TemLabel->isHidden());
    EXPECT_FALSE(form().TempFlikLabel->isHidden());
    EXPECT_EQ(form().TempFlikLabel->text(), QStringLiteral("+20°"));
    EXPECT_EQ(form().TempFlikLabel->toolTip(), QStringLiteral("Ощущаемая температура"));
    EXPECT_TRUE(form().TemLabel->toolTip().isEmpty()) << "only the label shown gets its hint";

    harness.shared.AppSettings.TempLabel = false;
    form().FlickTemp();
    EXPECT_FALSE(form().TemLabel->isHidden());
    EXPECT_TRUE(form().TempFlikLabel->isHidden());
    EXPECT_EQ(form().TemLabel->toolTip(), QStringLiteral("Прогнозируемая температура"));
}

} // namespace
} // namespace tervalo
