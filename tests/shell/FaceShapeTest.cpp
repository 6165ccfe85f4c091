// SPDX-License-Identifier: MIT
#include "shell/FaceShape.h"

#include "presentation/Skins.h"
#include "settings/DataFiles.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"
#include "support/WidgetHarness.h"

#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tervalo {
namespace {

// An image drawn in characters, one per pixel: '#' opaque, '.' clear, 'a' exactly as opaque as
// the see-through limit, 'b' one step more.
QImage picture(const std::vector<const char *> &rows)
{
    QImage image(static_cast<int>(std::strlen(rows.front())), static_cast<int>(rows.size()),
                 QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const char pixel = rows[static_cast<size_t>(y)][x];
            const int alpha = pixel == '#'   ? 255
                              : pixel == 'a' ? SeeThroughAlpha
                              : pixel == 'b' ? SeeThroughAlpha + 1
                                             : 0;
            image.setPixel(x, y, qRgba(200, 100, 50, alpha));
        }
    }
    return image;
}

// The same pixels, one rectangle each, as the toolkit unites them.
QRegion pixelByPixel(const std::vector<const char *> &rows)
{
    QRegion region;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; rows[static_cast<size_t>(y)][x] != '\0'; ++x)
            if (rows[static_cast<size_t>(y)][x] == '#' || rows[static_cast<size_t>(y)][x] == 'b')
                region |= QRect(x, y, 1, 1);
    return region;
}

TEST(OpaqueRegion, TakesThePixelsAboveTheLimitAsTheToolkitsOwnRegion)
{
    const std::vector<std::vector<const char *>> cases = {
        {"....", "...."},
        {"####", "####", "####"},
        {"a.b.", ".ab.", "bbaa"},
        {"#####", "#...#", "#.#.#", "#...#", "#####"}, // a ring around a dot
        {"##..##", "##..##", ".####.", ".####.", "##..##", "......", "##..##"},
        {"#.#.#.#", ".#.#.#.", "#.#.#.#"},
        {"...#", "..##", ".###", "####", "####", ".###"},
    };
    for (const auto &rows : cases) {
        SCOPED_TRACE(testing::Message() << rows.front() << " / " << rows.back());
        const QImage image = picture(rows);
        const QRegion expected = pixelByPixel(rows);
        EXPECT_TRUE((opaqueRegion(image) ^ expected).isEmpty());
        EXPECT_TRUE(
            (opaqueRegion(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)) ^ expected)
                .isEmpty());
        EXPECT_LE(opaqueRegion(image).rectCount(), expected.rectCount());
    }
    // Rows alike make one band: a plain picture is one rectangle, a disc one per row at most,
    // the shape the window gets for a panel a few dozen.
    QImage disc(200, 120, QImage::Format_ARGB32_Premultiplied);
    disc.fill(Qt::transparent);
    QPainter painter(&disc);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::white);
    painter.drawEllipse(disc.rect());
    painter.fillRect(QRect(20, 50, 160, 20), Qt::white);
    painter.end();
    EXPECT_LE(opaqueRegion(disc).rectCount(), disc.height());
    EXPECT_TRUE(opaqueRegion(disc).contains(QRect(20, 50, 160, 20)));
    EXPECT_FALSE(opaqueRegion(disc).contains(QPoint(2, 2)));
    EXPECT_TRUE(opaqueRegion(QImage()).isEmpty());
    QImage solid(7, 3, QImage::Format_RGB32);
    solid.fill(Qt::black);
    EXPECT_EQ(opaqueRegion(solid), QRegion(0, 0, 7, 3)) << "an image without alpha is opaque";
    EXPECT_EQ(opaqueRegion(solid).rectCount(), 1);
    QImage faint(5, 5, QImage::Format_ARGB32);
    faint.fill(qRgba(0, 0, 0, 90));
    EXPECT_TRUE(opaqueRegion(faint, 90).isEmpty());
    EXPECT_EQ(opaqueRegion(faint, 89), QRegion(0, 0, 5, 5));
}

// Each skin's faces, shown as the program enters them from the settings file at 10:08 on a
// winter day, with the stand-in service's snow.
class FaceShapeTest : public ::testing::Test {
protected:
    struct Face {
        int skin;
        bool panel;
        bool weather;
    };

    void SetUp() override { ASSERT_TRUE(service.isRunning()); }

    TForm1 &enter(const Face &face)
    {
        harness = std::make_unique<test::WidgetHarness>(service.endpoints());
        harness->platform.clock = QDateTime(QDate(2014, 1, 1), QTime(10, 8));
        harness->platform.online = face.weather;
        QByteArray settings = test::installedDataFile(QStringLiteral("Tervalo.ini"));
        settings.replace("[ForecastSource]\nSource=1", "[ForecastSource]\nSource=0");
        settings.replace("CurrentMode=0", "CurrentMode=" + QByteArray::number(face.skin));
        // The stored mark is the panel's state negated.
        settings.replace("[AddPanel]\nChecked=0",
                         face.panel ? "[AddPanel]\nChecked=0" : "[AddPanel]\nChecked=1");
        settings.replace("[ClockMode]\nChecked=1",
                         face.weather ? "[ClockMode]\nChecked=1" : "[ClockMode]\nChecked=0");
        harness->platform.writeDataFile(SettingsFileName, settings);
        TForm1 &form = *harness->form;
        form.VerifyMode();
        form.show();
        EXPECT_TRUE(waitForMeasurement(0));
        return form;
    }
    bool waitForMeasurement(int after)
    {
        return QTest::qWaitFor([&] { return harness->form->faceShape->measurements() > after; });
    }

    const test::LoopbackForecastService service;
    std::unique_ptr<test::WidgetHarness> harness;
};

bool seeThrough(const QImage &face, QPoint at)
{
    return qAlpha(face.pixel(at)) <= SeeThroughAlpha;
}

TEST_F(FaceShapeTest, EachFaceTakesTheMouseExactlyWhereItPaints)
{
    struct Case {
        Face face;
        QSize window;
        std::vector<QPoint> outside; // see-through points of the window
        std::vector<QPoint> inside;
    };
    // Classic: panels at 0..500, the main one at y 24..172 and the forecast at 184..234; the
    // cards stick out above, the big picture beside. Digital: the same panels, the text clock
    // on the main one. Minimalistic: text lines on the desktop, the clock in the middle.
    const Case cases[] = {
        {{ClassicSkin, true, true},
         {520, 235},
         {{60, 178}, {510, 100}, {515, 225}, {4, 10}},
         {{60, 100}, {175, 40}, {408, 50}, {60, 205}}},
        {{ClassicSkin, false, true},
         {520, 210},
         {{60, 207}, {60, 173}, {510, 100}, {4, 10}},
         {{60, 100}, {175, 40}, {408, 50}}},
        {{ClassicSkin, true, false}, {500, 170}, {{20, 5}, {480, 10}}, {{60, 100}, {175, 40}}},
        {{ClassicSkin, false, false}, {500, 170}, {{20, 5}, {480, 10}}, {{60, 100}, {175, 40}}},
        {{DigitalSkin, true, true},
         {520, 235},
         {{60, 178}, {60, 10}, {510, 100}, {515, 225}},
         {{60, 100}, {60, 205}}},
        {{DigitalSkin, false, true},
         {520, 210},
         {{60, 190}, {60, 10}, {510, 100}},
         {{60, 100}, {30, 160}}},
        {{DigitalSkin, true, false}, {500, 170}, {{60, 10}, {300, 20}}, {{60, 100}}},
        {{DigitalSkin, false, false}, {500, 170}, {{60, 10}, {300, 20}}, {{60, 100}}},
        {{MinimalisticSkin, true, true}, {653, 100}, {{200, 95}, {5, 5}, {640, 90}}, {}},
        {{MinimalisticSkin, false, true}, {653, 100}, {{200, 95}, {5, 5}, {640, 90}}, {}},
        {{MinimalisticSkin, true, false}, {358, 100}, {{200, 95}, {5, 5}, {350, 50}}, {}},
        {{MinimalisticSkin, false, false}, {358, 100}, {{200, 95}, {5, 5}, {350, 50}}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "skin " << c.face.skin << (c.face.panel ? ", panel" : "")
                                        << (c.face.weather ? ", weather" : ", clock only"));
        TForm1 &form = enter(c.face);
        ASSERT_EQ(form.size(), c.window);
        const QImage face = form.grab().toImage();
        const QRegion shape = form.faceShape->region();
        QRegion labels;
        for (TLabel *label : form.findChildren<TLabel *>()) {
            if (label->isHidden())
                continue;
            labels |= label->geometry();
            if (label->autoSize())
                EXPECT_TRUE((QRegion(label->geometry() & form.rect()) - shape).isEmpty())
                    << label->objectName().toStdString() << ": a label's whole line";
        }
        int uncovered = 0, extra = 0;
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                const QPoint at(x, y);
                const bool painted = !seeThrough(face, at);
                uncovered += painted && !shape.contains(at);
                extra += !painted && shape.contains(at) && !labels.contains(at);
            }
        }
        EXPECT_EQ(uncovered, 0) << "painted pixels that let the mouse through";
        EXPECT_EQ(extra, 0) << "see-through pixels outside the labels that take the mouse";
        for (const QPoint &at : c.outside) {
            EXPECT_TRUE(seeThrough(face, at)) << at.x() << "," << at.y() << " is painted";
            EXPECT_FALSE(shape.contains(at)) << at.x() << "," << at.y();
        }
        for (const QPoint &at : c.inside)
            EXPECT_TRUE(shape.contains(at)) << at.x() << "," << at.y();

        // Between two digits of the text clock, where nothing paints, a click still hits.
        if (!form.ModernClock->isHidden()) {
            const QFontMetrics metrics(form.ModernClock->font());
            const QPoint between =
                form.ModernClock->pos() +
                QPoint(metrics.horizontalAdvance(form.ModernClock->text().left(1)),
                       metrics.ascent() - metrics.capHeight() / 2);
            if (c.face.skin == MinimalisticSkin) // on the desktop, not on a panel
                EXPECT_TRUE(seeThrough(face, between)) << "not between the digits";
            EXPECT_TRUE(shape.contains(between));
        }
        EXPECT_EQ(form.faceShape->paintedBounds(), shape.boundingRect());
    }
}

TEST_F(FaceShapeTest, TheFaceIsMeasuredOnceAfterAChangeAndNeverForAClocksTick)
{
    TForm1 &form = enter({ClassicSkin, true, true});
    const FaceShape &shape = *form.faceShape;
    const auto settle = [] { QTest::qWait(5); };
    settle();
    int measured = shape.measurements();
    const QRegion classic = shape.region();

    // An hour and more of the flip cards, minute by minute.
    for (int minute = 0; minute < 70; ++minute) {
        harness->platform.clock = harness->platform.clock.addSecs(60);
        form.ClockTimer();
        settle();
    }
    EXPECT_EQ(form.Hours->pictureName(), QStringLiteral("clock11"));
    EXPECT_EQ(shape.measurements(), measured) << "a new card of the same shape";
    EXPECT_EQ(shape.region(), classic);

    // A new weather picture is measured, once.
    form.MainCloud->setPicture(QStringLiteral("BSUN"));
    settle();
    EXPECT_EQ(shape.measurements(), ++measured);
    EXPECT_FALSE((shape.region() ^ classic).isEmpty());
    form.MainCloud->setPicture(QStringLiteral("BSUN"));
    settle();
    EXPECT_EQ(shape.measurements(), measured) << "the picture shown already";

    // The panel switch hides a dozen controls and resizes the window: one measurement.
    form.AddPanel->run();
    settle();
    EXPECT_EQ(shape.measurements(), ++measured);
    EXPECT_FALSE(shape.region().intersects(QRect(0, 184, 500, 51)));

    // A skin change moves and restyles most controls: one measurement. Then two minutes of
    // the text clock's seconds.
    harness->shared.AppSettings.PanelsMode = DigitalSkin;
    form.ChangePanels();
    settle();
    EXPECT_EQ(shape.measurements(), ++measured);
    const QRegion digital = shape.region();
    for (int second = 0; second < 120; ++second) {
        harness->platform.clock = harness->platform.clock.addSecs(1);
        form.TimerModernTimer();
        settle();
    }
    EXPECT_EQ(shape.measurements(), measured);
    EXPECT_EQ(shape.region(), digital);

    // A hidden window is not measured; shown again it is, once.
    form.hide();
    form.AddPanel->run();
    settle();
    EXPECT_EQ(shape.measurements(), measured);
    form.show();
    EXPECT_TRUE(waitForMeasurement(measured));
    settle();
    EXPECT_EQ(shape.measurements(), measured + 1);
    EXPECT_TRUE(shape.region().intersects(QRect(0, 184, 500, 51))) << "the panel is back";
}

} // namespace
} // namespace tervalo
