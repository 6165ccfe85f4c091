// SPDX-License-Identifier: MIT
#include "presentation/Skins.h"
#include "presentation/ClockFaces.h"
#include "presentation/Pictures.h"
#include "support/WidgetHarness.h"

#include <QApplication>
#include <QFontInfo>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

TEST(SkinRules, PointsColoursAndTheMinimalisticArithmetic)
{
    for (const auto &[points, pixels] :
         {std::pair{16, 21}, {20, 27}, {10, 13}, {15, 20}, {19, 25}, {49, 65}, {54, 72}})
        EXPECT_EQ(pointsToPixels(points), pixels) << points << " pt";

    const QPalette palette = QApplication::palette();
    EXPECT_EQ(colourFromNumber(0x000000FF, palette), QColor(255, 0, 0));
    EXPECT_EQ(colourFromNumber(0x00FF8000, palette), QColor(0, 128, 255));
    EXPECT_EQ(colourFromNumber(static_cast<int>(0xFF000008u), palette),
              palette.color(QPalette::Text));
    EXPECT_EQ(colourFromNumber(static_cast<int>(0xFF00000Fu), palette),
              palette.color(QPalette::Button));

    EXPECT_DOUBLE_EQ(contrastRatio(Qt::white, Qt::black), 21.0);
    EXPECT_NEAR(contrastRatio(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
    EXPECT_DOUBLE_EQ(contrastRatio(QColor(1, 2, 3), QColor(1, 2, 3)), 1.0);

    struct Case {
        int size, dateWidth, townWidth, conditionWidth;
        bool withWeather;
        int half, townLeft, dateLeft, clockLeft, conditionLeft, width;
    };
    const Case cases[] = {
        // S, Wd, Wc, Wk, weather | H, town left, date left, clock left, condition left, window
        // width
        {1, 200, 100, 80, true, 0, 95, 0, 205, 363, 448},
        {5, 200, 300, 80, true, 2, 0, 95, 205, 375, 460},
        {5, 200, 100, 80, false, 2, 95, 0, 205, 375, 375},
        {1, 100, 180, 40, false, 0, 0, 75, 105, 263, 263},
        // Within 5 pixels of each other, the narrower one starts at the window's edge, not
        // before it.
        {10, 150, 150, 60, true, 5, 0, 0, 155, 340, 405},
        {5, 200, 203, 80, true, 2, 0, 0, 205, 375, 460},
        {10, 120, 200, 60, false, 5, 0, 75, 125, 310, 310},
        {10, 220, 100, 60, true, 5, 115, 0, 225, 410, 475},
        {3, 100, 120, 10, false, 2, 0, 15, 105, 269, 269},
        {7, 100, 50, 10, false, 4, 45, 0, 105, 281, 281},
        {9, 100, 50, 10, false, 4, 45, 0, 105, 287, 287},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "S = " << c.size << ", town " << c.townWidth << ", date " << c.dateWidth);
        const MinimalisticLayout layout = minimalisticLayout(
            c.size, c.dateWidth, c.townWidth, c.conditionWidth, c.withWeather, 160, 24);
        EXPECT_EQ(layout.half, c.half);
        EXPECT_EQ(layout.townTop, c.half + 5);
        EXPECT_EQ(layout.conditionTop, c.half + 5);
        EXPECT_EQ(layout.dateTop, c.half + 30);
        EXPECT_EQ(layout.temperatureTop, c.half + 30);
        EXPECT_EQ(layout.townLeft, c.townLeft);
        EXPECT_EQ(layout.dateLeft, c.dateLeft);
        EXPECT_EQ(layout.clockLeft, c.clockLeft);
        EXPECT_EQ(layout.conditionLeft, c.conditionLeft);
        EXPECT_EQ(layout.temperatureLeft, c.conditionLeft);
        EXPECT_EQ(layout.windowWidth, c.width);
        EXPECT_EQ(layout.windowHeight, 100);
    }
    // A font whose rows need more than 25 pixels moves the lower row down, and no further.
    for (const auto &[rowDistance, lowerTop] : {std::pair{25, 35}, {31, 41}}) {
        const MinimalisticLayout layout =
            minimalisticLayout(10, 200, 100, 80, true, 160, rowDistance);
        EXPECT_EQ(layout.townTop, 10);
        EXPECT_EQ(layout.dateTop, lowerTop);
        EXPECT_EQ(layout.temperatureTop, lowerTop);
        EXPECT_EQ(layout.conditionTop, 10);
    }
}

class SkinsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        shared().AppSettings.ClockMode = true;
        form().DateLabel->setText(QStringLiteral("среда, 1 января "));
        form().CityNameLabel->setText(QStringLiteral("Москва"));
        form().TemLabel->setText(QStringLiteral("-2°"));
        form().CloudLabel->setText(QStringLiteral("облачно, временами снег"));
        form().MainCloud->setPicture(QStringLiteral("BCLOUDY"));
    }
    SharedState &shared() { return harness.shared; }
    TForm1 &form() { return *harness.form; }
    void apply(int skin)
    {
        shared().AppSettings.PanelsMode = skin;
        form().ChangePanels();
    }
    // The bounding box of what a control has painted, and of the ink of a picture itself.
    static QRect paintedArea(QWidget *control) { return inkOf(control->grab().toImage()); }
    static QRect inkOf(const QImage &image)
    {
        QRect area;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    area |= QRect(x, y, 1, 1);
        return area;
    }

    test::WidgetHarness harness;
};

TEST_F(SkinsTest, TheClassicSkinShowsTheFlipCards)
{
    apply(ClassicSkin);
    EXPECT_EQ(form().MainBackground->pictureName(), QStringLiteral("CLASSIKM"));
    EXPECT_EQ(form().AddBackground->pictureName(), QStringLiteral("CLASSIKA"));
    EXPECT_TRUE(form().Clock->isEnabled());
    EXPECT_FALSE(form().TimerModern->isEnabled());
    EXPECT_FALSE(form().Hours->isHidden());
    EXPECT_TRUE(form().ModernClock->isHidden());
    EXPECT_TRUE(form().sepLabel->isHidden());
    EXPECT_EQ(form().TemLabel->pos(), QPoint(284, 40));
    EXPECT_EQ(form().TemLabel->font().pixelSize(), 27);
    EXPECT_EQ(form().CityNameLabel->font().pixelSize(), 21);
    EXPECT_FALSE(form().CloudLabel->font().bold());
    EXPECT_EQ(form().MainCloud->geometry(), QRect(300, 0, 220, 210));
    EXPECT_EQ(paintedArea(form().MainCloud), inkOf(loadPicture(QStringLiteral("BCLOUDY"))))
        << "the picture is drawn unscaled from the top-left corner";

    // The wind direction keeps its place unless the speed would run into it.
    const std::pair<const char *, int> speeds[] = {
        {"5 м/с ", 318}, {"3.0 м/с ", -1}, {"12.0 м/с ", -1}};
    for (const auto &[speed, directionLeft] : speeds) {
        SCOPED_TRACE(speed);
        form().WindLabel->setText(QString::fromUtf8(speed));
        apply(ClassicSkin);
        const int speedRight = form().WindLabel->x() + form().WindLabel->width();
        EXPECT_EQ(form().WindRumbLabel->x(), directionLeft > 0 ? directionLeft : speedRight);
        EXPECT_GE(form().WindRumbLabel->x(), speedRight);
    }
}

TEST_F(SkinsTest, TheDigitalLineIsLaidOutFromTheMeasuredWidthsAndFollowsTheTexts)
{
    for (const char *town : {"Москва", "Санкт-Петербург"}) {
        SCOPED_TRACE(town);
        form().CityNameLabel->setText(QString::fromUtf8(town));
        apply(DigitalSkin);
        const int wd = form().DateLabel->width();
        const int ws = form().sepLabel->width();
        const int wc = form().CityNameLabel->width(); // after its font change
        const int wt = form().TemLabel->width();
        EXPECT_EQ(form().CityNameLabel->font().pixelSize(), 13);
        EXPECT_EQ(
            wc,
            QFontMetrics(form().CityNameLabel->font()).horizontalAdvance(QString::fromUtf8(town)));
        EXPECT_EQ(form().sepLabel->x(), 16 + wd + 10);
        EXPECT_EQ(form().CityNameLabel->pos(), QPoint(16 + wd + 10 + ws + 10, 151));
        EXPECT_EQ(form().TemLabel->pos(), QPoint(16 + wd + 10 + wc + 20, 151));
        EXPECT_EQ(form().TempFlikLabel->pos(), form().TemLabel->pos());
        EXPECT_EQ(form().CloudLabel->x(), 16 + wd + 10 + wc + wt + 25);
        EXPECT_EQ(form().CloudLabel->x() + form().CloudLabel->width(), 500 - 16)
            << "the condition takes the rest of the line";
        EXPECT_TRUE(form().CloudLabel->font().bold());
        EXPECT_FALSE(form().sepLabel->isHidden());
        EXPECT_TRUE(form().WindLabel->isHidden());
        EXPECT_EQ(shared().ClockFormat, HoursMinutes);
    }
    // A longer date line moves everything after it.
    const int townBefore = form().CityNameLabel->x();
    const int dateBefore = form().DateLabel->width();
    form().DateLabel->setText(QStringLiteral("среда, 1 января 2014"));
    apply(DigitalSkin);
    EXPECT_GT(form().DateLabel->width(), dateBefore);
    EXPECT_EQ(form().CityNameLabel->x() - townBefore, form().DateLabel->width() - dateBefore);

    EXPECT_EQ(form().MainCloud->geometry(), QRect(320, 20, 220, 150));
    // 240 x 200 shrinks to 180 x 150 from the top-left corner.
    const QRect painted = paintedArea(form().MainCloud);
    const QRect ink = inkOf(loadPicture(QStringLiteral("BCLOUDY")));
    EXPECT_NEAR(painted.left(), ink.left() * 0.75, 2);
    EXPECT_NEAR(painted.right(), ink.right() * 0.75, 2);
    EXPECT_NEAR(painted.bottom(), ink.bottom() * 0.75, 2);
    EXPECT_TRUE(form().TimerModern->isEnabled());
    EXPECT_FALSE(form().Clock->isEnabled());
    EXPECT_FALSE(form().ModernClock->isHidden());
    EXPECT_TRUE(form().Hours->isHidden());
}

TEST_F(SkinsTest, TheMinimalisticSkinUsesTheWidthsInItsOwnFonts)
{
    for (const bool withWeather : {true, false}) {
        SCOPED_TRACE(withWeather ? "clock and weather" : "clock only");
        shared().AppSettings.ClockMode = withWeather;
        shared().AppSettings.SizeFontForSkin = 5;
        shared().AppSettings.FontColorForSkin = 0x0000FFFF; // yellow
        apply(MinimalisticSkin);
        for (TLabel *label :
             {form().ModernClock, form().DateLabel, form().CityNameLabel, form().CloudLabel}) {
            EXPECT_EQ(QFontInfo(label->font()).family(), QStringLiteral("Roboto Thin"))
                << label->objectName().toStdString();
            EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 255, 0));
            EXPECT_FALSE(label->font().bold());
        }
        EXPECT_EQ(form().ModernClock->font().pixelSize(), 65); // 49 pt
        EXPECT_EQ(form().DateLabel->font().pixelSize(), 25);   // 19 pt
        const MinimalisticLayout expected =
            minimalisticLayout(5, form().DateLabel->width(), form().CityNameLabel->width(),
                               form().CloudLabel->width(), withWeather, 160, 0);
        EXPECT_EQ(form().CityNameLabel->pos(), QPoint(expected.townLeft, 7));
        EXPECT_EQ(form().DateLabel->pos(), QPoint(expected.dateLeft, 32));
        EXPECT_EQ(form().CloudLabel->pos(), QPoint(expected.conditionLeft, 7));
        EXPECT_EQ(form().TemLabel->pos(), QPoint(expected.conditionLeft, 32));
        EXPECT_EQ(form().ModernClock->pos(), QPoint(form().DateLabel->width() + 5, 0));
        EXPECT_EQ(form().size(), QSize(expected.windowWidth, 100));
        EXPECT_FALSE(form().CityNameLabel->isHidden());
        EXPECT_TRUE(form().MainCloud->isHidden());
        EXPECT_TRUE(form().MainBackground->isHidden());
        EXPECT_FALSE(form().AddPanel->isEnabled());
        EXPECT_EQ(shared().ClockFormat, HoursMinutes);
    }
}

TEST_F(SkinsTest, AnUnknownSkinAppliesNothing)
{
    const QRect town = form().CityNameLabel->geometry();
    apply(3);
    EXPECT_TRUE(form().Clock->isEnabled());
    EXPECT_TRUE(form().TimerModern->isEnabled());
    EXPECT_TRUE(form().MainBackground->isEmpty());
    EXPECT_EQ(form().CityNameLabel->geometry(), town);
    EXPECT_EQ(form().size(), QSize(679, 304));
}

} // namespace
} // namespace tervalo
