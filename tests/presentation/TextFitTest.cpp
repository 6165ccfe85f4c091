// SPDX-License-Identifier: MIT
#include "presentation/TextFit.h"
#include "presentation/Conditions.h"
#include "presentation/Skins.h"
#include "shell/Controls.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"
#include "support/WeatherFace.h"

#include <QFontMetrics>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

namespace tervalo {
namespace {

const QString LongTown = QStringLiteral("Петропавловск-Камчатский");

QFont tahoma(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

TEST(TextFit, ATextKeepsItsFontThenStepsDownToSeventyPercentThenEndsInAnEllipsis)
{
    const QFont font = tahoma(21, true);
    const int whole = QFontMetrics(font).horizontalAdvance(LongTown);
    const int atFloor = QFontMetrics(tahoma(15, true)).horizontalAdvance(LongTown);
    ASSERT_EQ(smallestFittedPixelSize(21), 15);
    struct Case {
        const char *what;
        int room;
        bool whole;
        int smallestPixels, largestPixels;
    };
    const Case cases[] = {
        {"room to spare", whole + 40, true, 21, 21},
        {"exactly its width", whole, true, 21, 21},
        {"one pixel short", whole - 1, true, 20, 20},
        {"just its width at the floor", atFloor, true, 15, 15},
        {"a little less than at the floor", atFloor - 1, false, 15, 15},
        {"a tenth of it", whole / 10, false, 15, 15},
        {"none", 0, false, 15, 15},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const FittedText fitted = fitText(LongTown, font, c.room);
        EXPECT_EQ(fitted.whole, c.whole);
        EXPECT_GE(fitted.font.pixelSize(), c.smallestPixels);
        EXPECT_LE(fitted.font.pixelSize(), c.largestPixels);
        EXPECT_TRUE(fitted.font.bold()) << "only the size changes";
        EXPECT_LE(fitted.width, std::max(c.room, 0));
        EXPECT_EQ(fitted.width, QFontMetrics(fitted.font).horizontalAdvance(fitted.shown));
        if (c.whole) {
            EXPECT_EQ(fitted.shown, LongTown);
        } else if (!fitted.shown.isEmpty()) {
            EXPECT_TRUE(fitted.shown.endsWith(QChar(0x2026))) << fitted.shown.toStdString();
            EXPECT_TRUE(LongTown.startsWith(fitted.shown.chopped(1)));
        }
    }
}

TEST(FittedLabel, KeepsItsWholeTextAndFontAndShowsTheWholeTextInTheTooltipWhileCut)
{
    QWidget window;
    TLabel label(QStringLiteral("Москва"), &window);
    label.setFont(tahoma(21, true));
    label.setRoom(120);
    EXPECT_TRUE(label.shown().whole);
    EXPECT_EQ(label.width(), QFontMetrics(label.font()).horizontalAdvance(label.text()));
    EXPECT_TRUE(label.toolTip().isEmpty());

    label.setText(LongTown);
    EXPECT_FALSE(label.shown().whole);
    EXPECT_EQ(label.text(), LongTown) << "what the program reads back is the whole name";
    EXPECT_EQ(label.font().pixelSize(), 21);
    EXPECT_EQ(label.width(), label.shown().width);
    EXPECT_LE(label.width(), 120);
    EXPECT_EQ(label.toolTip(), LongTown);

    label.setRoom(UnlimitedRoom);
    EXPECT_TRUE(label.shown().whole);
    EXPECT_TRUE(label.toolTip().isEmpty()) << "a whole text needs no tooltip";

    // A tooltip of the label's own gives way while the text is cut, and comes back; so does one
    // set while it was cut.
    label.setToolTip(QStringLiteral("Температура по прогнозу"));
    label.setRoom(60);
    EXPECT_EQ(label.toolTip(), LongTown);
    label.setText(QStringLiteral("Ла-Тринидад-Виста-Эрмоса"));
    EXPECT_EQ(label.toolTip(), QStringLiteral("Ла-Тринидад-Виста-Эрмоса"));
    label.setRoom(UnlimitedRoom);
    EXPECT_EQ(label.toolTip(), QStringLiteral("Температура по прогнозу"));
    label.setRoom(60);
    label.setToolTip(QStringLiteral("Скрыть прогноз"));
    label.setText(LongTown);
    EXPECT_EQ(label.toolTip(), LongTown);
    label.setRoom(UnlimitedRoom);
    EXPECT_EQ(label.toolTip(), QStringLiteral("Скрыть прогноз"));

    // A fixed-size label fits its text into its own width.
    TLabel day(QStringLiteral("воскресенье"), &window);
    day.setAutoSize(false);
    window.show();
    day.resize(30, 13);
    EXPECT_FALSE(day.shown().whole);
    EXPECT_LE(day.shown().width, 30);
    day.resize(200, 13);
    EXPECT_TRUE(day.shown().whole);
}

// White on white reads only by its halo.
TEST(FittedLabel, AHaloOfTheContrastingToneOutlinesTheText)
{
    EXPECT_EQ(haloToneFor(Qt::white).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(haloToneFor(QColor(255, 255, 0)).rgb(), QColor(Qt::black).rgb());
    EXPECT_EQ(haloToneFor(QColor(0, 0, 128)).rgb(), QColor(Qt::white).rgb());
    EXPECT_EQ(haloToneFor(Qt::black).rgb(), QColor(Qt::white).rgb());

    for (const bool withHalo : {false, true}) {
        SCOPED_TRACE(withHalo ? "with a halo" : "without");
        QWidget window;
        TLabel label(QStringLiteral("Москва"), &window);
        label.setFont(tahoma(25));
        QPalette palette = label.palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        label.setPalette(palette);
        if (withHalo)
            label.setHalo(haloToneFor(Qt::white));
        QImage onWhite(label.size(), QImage::Format_ARGB32_Premultiplied);
        onWhite.fill(Qt::white);
        label.render(&onWhite, {}, {}, QWidget::DrawChildren);
        int dark = 0;
        for (int y = 0; y < onWhite.height(); ++y)
            for (int x = 0; x < onWhite.width(); ++x)
                dark += qGray(onWhite.pixel(x, y)) < 100;
        EXPECT_EQ(dark > 40, withHalo) << dark << " dark pixels";
    }
}

// The towns, conditions and dates that take the most room.
QStringList longestOf(QStringList texts, const QFont &font, int count)
{
    const QFontMetrics metrics(font);
    std::sort(texts.begin(), texts.end(), [&](const QString &a, const QString &b) {
        return metrics.horizontalAdvance(a) > metrics.horizontalAdvance(b);
    });
    texts.removeDuplicates();
    return texts.mid(0, count);
}

QStringList shippedTowns()
{
    const QString directory = QString::fromUtf8(
        test::readFileBytes(QStringLiteral(TERVALO_SOURCE_DIR "/data/cities.xml")));
    QStringList towns;
    const QRegularExpression city(QStringLiteral("<city id=\"[^\"]*\">([^<]+)</city>"));
    for (const QRegularExpressionMatch &match : city.globalMatch(directory))
        towns << match.captured(1);
    return towns;
}

QStringList conditionTexts()
{
    QStringList texts{NoDataText};
    for (const ConditionRule &rule : ConditionRules)
        texts << rule.currentTexts << rule.dayTexts;
    return texts;
}

// Where a control has painted, in the window's coordinates, and which of those pixels.
struct Painted {
    QString name;
    QRect box;
    QImage pixels;
};

// A text's own ink, without its halo, which may spread over its neighbours.
Painted paintedBy(QWidget *control)
{
    auto *label = dynamic_cast<TLabel *>(control);
    const QColor halo = label ? label->halo() : QColor();
    if (label)
        label->setHalo({});
    const QImage image = control->grab().toImage();
    if (label)
        label->setHalo(halo);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 24)
                box |= QRect(x, y, 1, 1);
    return {control->objectName(), box.translated(control->pos()), image};
}

bool paintsAt(const Painted &painted, QPoint window, const QPoint &controlPosition)
{
    const QPoint at = window - controlPosition;
    return painted.pixels.rect().contains(at) && qAlpha(painted.pixels.pixel(at)) > 24;
}

// How many pixels of the window both controls paint.
int overlapOf(const Painted &one, const QWidget *oneControl, const Painted &other,
              const QWidget *otherControl)
{
    const QRect common = one.box & other.box;
    int covered = 0;
    for (int y = common.top(); y <= common.bottom(); ++y)
        for (int x = common.left(); x <= common.right(); ++x)
            covered += paintsAt(one, {x, y}, oneControl->pos()) &&
                       paintsAt(other, {x, y}, otherControl->pos());
    return covered;
}

// Every visible text of the face is whole or fitted, inside the window, clear of every other
// text and of every picture's painted pixels. The panels are beneath everything by design.
void expectEveryTextWhole(TForm1 &form)
{
    std::vector<std::pair<TLabel *, Painted>> texts;
    std::vector<std::pair<QWidget *, Painted>> pictures;
    for (QWidget *control : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->isHidden() || !control->geometry().intersects(form.rect()))
            continue;
        if (control == form.MainBackground || control == form.AddBackground)
            continue;
        if (auto *label = dynamic_cast<TLabel *>(control))
            texts.emplace_back(label, paintedBy(label));
        else if (dynamic_cast<TImage *>(control))
            pictures.emplace_back(control, paintedBy(control));
    }
    for (const auto &[label, painted] : texts) {
        const std::string name = label->objectName().toStdString();
        const FittedText &shown = label->shown();
        EXPECT_LE(shown.width, label->width()) << name << ": cut by its own edge";
        if (!shown.whole)
            EXPECT_EQ(label->toolTip(), label->text()) << name;
        EXPECT_GE(shown.font.pixelSize(), smallestFittedPixelSize(label->font().pixelSize()))
            << name;
        if (painted.box.isEmpty())
            continue;
        EXPECT_TRUE(form.rect().contains(painted.box))
            << name << " crosses the window's edge: " << painted.box.x() << "," << painted.box.y()
            << " " << painted.box.width() << "x" << painted.box.height();
        for (const auto &[other, otherPainted] : texts)
            if (other != label)
                EXPECT_EQ(overlapOf(painted, label, otherPainted, other), 0)
                    << name << " runs into " << other->objectName().toStdString();
        // A text beneath a picture may be hidden by it whole (the classic clock-only face keeps
        // the wind under a flip card), but never in part.
        const auto stacking = [&form](const QWidget *control) {
            return form.children().indexOf(const_cast<QWidget *>(control));
        };
        for (const auto &[picture, picturePainted] : pictures) {
            const int covered = overlapOf(painted, label, picturePainted, picture);
            if (stacking(label) > stacking(picture))
                EXPECT_EQ(covered, 0)
                    << name << " is drawn over " << picture->objectName().toStdString();
            else if (covered > 0)
                EXPECT_EQ(covered, overlapOf(painted, label, painted, label))
                    << name << " is partly hidden by " << picture->objectName().toStdString();
        }
    }
}

TEST(FaceTexts, NoTownConditionOrDateIsCutOrDrawnOverAnotherControlInAnySkin)
{
    const test::LoopbackForecastService service;
    ASSERT_TRUE(service.isRunning());
    const QStringList towns =
        longestOf(shippedTowns(), tahoma(21, true), 4) +
        QStringList{QStringLiteral("Ла-Тринидад-Виста-Эрмоса-и-Сан-Хуан-Баутиста"),
                    QStringLiteral("Ы")};
    const QStringList conditions = longestOf(conditionTexts(), tahoma(13, true), 4);
    ASSERT_TRUE(towns.contains(LongTown));
    ASSERT_TRUE(towns.contains(QStringLiteral("Санкт-Петербург")) || towns.size() > 3);

    enum Face { WithPanel, WithoutPanel, ClockOnly };
    for (const int skin : {ClassicSkin, DigitalSkin, MinimalisticSkin}) {
        for (const Face face : {WithPanel, WithoutPanel, ClockOnly}) {
            test::WidgetHarness harness(service.endpoints());
            harness.platform.clock = QDateTime(QDate(2012, 9, 30), QTime(10, 8)); // a Sunday
            TAppSettings &settings = harness.shared.AppSettings;
            settings.CityID = QStringLiteral("27612");
            settings.ClockMode = face != ClockOnly;
            settings.PanelsMode = skin;
            settings.DateFormat = 1; // the longest: "воскресенье, 30 сентября 2012"
            settings.SizeFontForSkin = 10;
            settings.FontColorForSkin = 0x00FFFFFF;
            TForm1 &form = *harness.form;
            if (face == ClockOnly) {
                form.SaveSettings(); // the clock-only face reads them back
                form.OnlyClockMode();
                form.ChangePanels();
            } else {
                test::fetchAndShowWeather(harness);
                if (form.AddPanel->isChecked() != (face == WithPanel))
                    form.AddPanelClick();
            }
            form.TemLabel->setText(QStringLiteral("-25°"));
            form.WindLabel->setText(QStringLiteral("12.0 м/с "));
            for (const QString &town : towns) {
                for (const QString &condition : conditions) {
                    SCOPED_TRACE(testing::Message()
                                 << "skin " << skin << ", face " << face << ", "
                                 << town.toStdString() << ", " << condition.toStdString());
                    form.CityNameLabel->setText(town);
                    form.CloudLabel->setText(condition);
                    form.ChangePanels(); // as every update ends
                    expectEveryTextWhole(form);
                    EXPECT_EQ(form.CityNameLabel->text(), town);
                    if (HasFailure())
                        return;
                }
            }
        }
    }
}

} // namespace
} // namespace tervalo
