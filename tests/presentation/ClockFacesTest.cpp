// SPDX-License-Identifier: MIT
#include "presentation/ClockFaces.h"
#include "shell/Controls.h"
#include "support/WidgetHarness.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

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

// The text clock's label on a window of its own, in the widget's clock font, recording what
// it repaints.
class ClockLabelTest : public ::testing::Test, public QObject {
protected:
    ClockLabelTest()
    {
        QFont font(QStringLiteral("Roboto Condensed Light"));
        font.setPixelSize(147);
        for (TLabel *label : {static_cast<TLabel *>(&clock), &plain}) {
            label->setFont(font);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, Qt::white);
            label->setPalette(palette);
        }
        window.resize(700, 200);
        window.show();
        clock.installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
    struct Ink {
        qint64 mass = 0; // the sum of the grey levels
        QRect box;       // where the pixels brighter than mid-grey are
    };
    static Ink inkOf(const QImage &image)
    {
        Ink ink;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int grey = qGray(image.pixel(x, y));
                ink.mass += grey;
                if (grey > 128)
                    ink.box |= QRect(x, y, 1, 1);
            }
        }
        return ink;
    }
    // The label as drawn over black.
    static QImage drawn(QWidget &label)
    {
        QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }

    QWidget window;
    ClockLabel clock{QString(), &window};
    TLabel plain{QString(), nullptr};
    QRegion painted;
};

// Drawn from its character pictures, the clock looks as the same text drawn by a label.
TEST_F(ClockLabelTest, LooksAsAPlainLabelOfTheSameText)
{
    for (const QString text :
         {QStringLiteral("09:07:03"), QStringLiteral("23:58"), QStringLiteral("10.41.17")}) {
        clock.setText(text);
        plain.setText(text);
        ASSERT_EQ(clock.size(), plain.size());
        // The same ink in the same place: each character may sit a fraction of a pixel off.
        const Ink mine = inkOf(drawn(clock)), reference = inkOf(drawn(plain));
        EXPECT_GT(reference.mass, 1000000) << text.toStdString();
        EXPECT_NEAR(mine.mass, reference.mass, reference.mass / 50) << text.toStdString();
        for (const auto &[mineEdge, referenceEdge] :
             {std::pair{mine.box.left(), reference.box.left()},
              std::pair{mine.box.right(), reference.box.right()},
              std::pair{mine.box.top(), reference.box.top()},
              std::pair{mine.box.bottom(), reference.box.bottom()}})
            EXPECT_NEAR(mineEdge, referenceEdge, 1) << text.toStdString();
    }
}

// A tick that changes the seconds repaints the seconds alone; a new minute repaints from the
// minutes on.
TEST_F(ClockLabelTest, ATickRepaintsOnlyTheCharactersThatChanged)
{
    clock.setText(QStringLiteral("09:07:03"));
    QApplication::processEvents();
    const QFontMetrics metrics(clock.font());
    const struct {
        const char *next;
        const char *unchanged;
    } ticks[] = {{"09:07:04", "09:07:0"}, {"09:08:00", "09:0"}, {"10:00:00", ""}};
    for (const auto &tick : ticks) {
        painted = QRegion();
        clock.setText(QLatin1String(tick.next));
        QApplication::processEvents();
        ASSERT_FALSE(painted.isEmpty()) << tick.next;
        EXPECT_GE(painted.boundingRect().left(),
                  metrics.horizontalAdvance(QLatin1String(tick.unchanged)) - 2)
            << tick.next;
        EXPECT_LE(painted.boundingRect().height(), metrics.height()) << tick.next;
    }
}

} // namespace
} // namespace tervalo
