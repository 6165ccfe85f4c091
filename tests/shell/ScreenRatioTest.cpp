// SPDX-License-Identifier: MIT
// Runs on three offscreen screens of 1, 2 and 1.5 image pixels per window pixel
// (support/screens.json): the pictures a window shows are the drawings made for its screen.
#include "presentation/Pictures.h"
#include "presentation/Skins.h"
#include "settings/DataFiles.h"
#include "settings/Settings.h"
#include "shell/Controls.h"
#include "support/WidgetHarness.h"

#include <QApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace tervalo {
namespace {

QScreen *screenOfRatio(qreal ratio)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->devicePixelRatio() == ratio)
            return screen;
    return nullptr;
}

// Moves the shown window onto the screen, as a user drags it there.
void moveTo(QWidget &window, qreal ratio)
{
    QScreen *screen = screenOfRatio(ratio);
    ASSERT_NE(screen, nullptr) << "run with support/screens.json";
    window.move(screen->geometry().topLeft() + QPoint(40, 40));
    QApplication::processEvents();
    ASSERT_EQ(window.screen(), screen);
}

QImage premultiplied(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// What the control paints, in image pixels.
QImage paintedBy(QWidget *control)
{
    return premultiplied(control->grab().toImage());
}

// The number of image pixels where the control's paint differs from the picture's own pixels
// laid from its top-left corner (transparent beyond the picture), beyond rounding.
int pixelsUnlike(const QImage &painted, const QImage &picture)
{
    const QImage expected = premultiplied(picture);
    int unlike = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) {
            const QRgb want = expected.rect().contains(x, y) ? expected.pixel(x, y) : 0;
            const QRgb got = painted.pixel(x, y);
            const int off = std::max(
                {std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                 std::abs(qBlue(got) - qBlue(want)), std::abs(qAlpha(got) - qAlpha(want))});
            unlike += off > 1;
        }
    return unlike;
}

// The mean difference of two images of one size, over every channel of every pixel.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage left = premultiplied(a);
    const QImage right = premultiplied(b);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y)
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * left.width() * left.height());
}

// The real widget in the classic skin with weather, and its settings dialog open on the
// style page's preview.
class ScreenRatioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::screens().size(), 3) << "run with support/screens.json";
        harness.platform.writeDataFile(TownDirectoryFileName, R"(<?xml version="1.0"?>
<cities><country name="Россия"><city id="27612">Москва</city></country></cities>)");
        harness.shared.AppSettings.ClockMode = true;
        harness.shared.AppSettings.PanelsMode = ClassicSkin;
        form().ChangePanels();
        form().MainCloud->setPicture(QStringLiteral("BSNOW"));
        form().CurrentClouds->setPicture(QStringLiteral("SMSNOW"));
        form().CurrentClouds->show();
        form().show();
        dialog.FormCreate();
        dialog.MenuSetttingsClick();
        dialog.PageControl->setCurrentWidget(dialog.TabSheet5);
    }
    TForm1 &form() { return *harness.form; }

    test::WidgetHarness harness;
    TForm2 dialog{harness.context, *harness.form};
};

TEST_F(ScreenRatioTest, OnADoubleScreenEveryPictureIsItsDoubleDrawingPixelForPixel)
{
    struct Case {
        const char *what;
        QWidget *window;
        TImage *control;
    };
    const Case cases[] = {
        {"a flip card", &form(), form().Hours},
        {"a weather picture", &form(), form().MainCloud},
        {"a day's small picture", &form(), form().CurrentClouds},
        {"a panel background", &form(), form().MainBackground},
        {"the forecast panel", &form(), form().AddBackground},
        {"the dialog's preview", &dialog, dialog.ImageClockandWeather},
    };
    for (const qreal ratio : {2.0, 1.0}) {
        moveTo(form(), ratio);
        moveTo(dialog, ratio);
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << " at " << ratio);
            const QString name = c.control->pictureName();
            ASSERT_FALSE(name.isEmpty());
            const QImage painted = paintedBy(c.control);
            EXPECT_EQ(painted.size(), c.control->size() * ratio);
            // A 1x picture enlarged, or the 2x one where the screen has 1, differs nearly
            // everywhere the picture has ink.
            EXPECT_EQ(pixelsUnlike(painted, loadPicture(name, ratio)), 0);
        }
    }
}

TEST_F(ScreenRatioTest, AControlRenderedIntoADoublePictureDrawsTheDoubleDrawing)
{
    moveTo(form(), 1.0);
    TImage *card = form().Minutes;
    QImage target(card->size() * 2, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2);
    target.fill(Qt::transparent);
    card->render(&target);
    EXPECT_EQ(pixelsUnlike(target, loadPicture(card->pictureName(), 2)), 0);
    EXPECT_EQ(pixelsUnlike(paintedBy(card), loadPicture(card->pictureName(), 1)), 0)
        << "and on its own screen the 1x one again";
}

TEST_F(ScreenRatioTest, AShrunkPictureAndAScreenOfOneAndAHalfShowTheDoubleDrawingScaledDown)
{
    // The digital skin shrinks the big picture to three quarters.
    harness.shared.AppSettings.PanelsMode = DigitalSkin;
    form().ChangePanels();
    struct Case {
        qreal ratio;
        TImage *control;
        double shrink; // of the picture on the control
    };
    const Case cases[] = {{1.5, form().CurrentClouds, 1.0},
                          {1.5, form().MainCloud, 0.75},
                          {2.0, form().MainCloud, 0.75}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.control->objectName().toStdString() << " at " << c.ratio);
        moveTo(form(), c.ratio);
        const QImage painted = paintedBy(c.control);
        ASSERT_EQ(painted.size(), c.control->size() * c.ratio);
        const QImage single = loadPicture(c.control->pictureName(), 1);
        const QSize shown = (QSizeF(single.size()) * c.shrink * c.ratio).toSize();
        const QRect compared = QRect(QPoint(0, 0), shown) & painted.rect();
        auto asShown = [&](const QImage &drawing) {
            return drawing.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .copy(compared);
        };
        const double fromDouble = meanDifference(painted.copy(compared),
                                                 asShown(loadPicture(c.control->pictureName(), 2)));
        const double fromSingle = meanDifference(painted.copy(compared), asShown(single));
        // Measured: within 0.1 of the double drawing, ten times as far from the single one.
        EXPECT_LT(fromDouble, 0.5) << "the double drawing, scaled down";
        EXPECT_LT(fromDouble * 4, fromSingle) << "not the single one enlarged";
    }
}

TEST_F(ScreenRatioTest, APictureChosenOnADoubleScreenIsItsDoubleDrawing)
{
    moveTo(form(), 2.0);
    TImage *picture = form().MainCloud;
    picture->setPicture(QStringLiteral("BRAIN"));
    EXPECT_EQ(pixelsUnlike(paintedBy(picture), loadPicture(QStringLiteral("BRAIN"), 2)), 0);
}

} // namespace
} // namespace tervalo
