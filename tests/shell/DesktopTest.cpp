// SPDX-License-Identifier: MIT
#include "settings/DataFiles.h"
#include "support/Files.h"
#include "support/IsolatedProgram.h"
#include "support/QtPrinting.h"
#include "support/VirtualDesktop.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

// The real program on a real X server, in private namespaces.
class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::optional<QString> reason = test::IsolatedProgram::unavailableReason())
            GTEST_SKIP() << "the real executable is not started: " << reason->toStdString();
        if (const std::optional<QString> reason = desktop.unavailableReason())
            GTEST_SKIP() << "no virtual desktop: " << reason->toStdString();
    }

    // Starts the program with these settings and waits for its window; empty if none came.
    std::optional<QRect> startWith(const QByteArray &settings)
    {
        program.writeDataFile(SettingsFileName, settings);
        program.writeDataFile(TownDirectoryFileName,
                              test::installedDataFile(QStringLiteral("cities.xml")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("DISPLAY"), desktop.display());
        program.start({}, environment.toStringList());
        if (!program.waitUntilRunning(20000))
            return std::nullopt;
        std::optional<QRect> geometry;
        QElapsedTimer elapsed;
        elapsed.start();
        while (!(geometry = desktop.windowGeometry(QStringLiteral("Tervalo"))) &&
               elapsed.elapsed() < 10000)
            QThread::msleep(100);
        QThread::msleep(1500); // the compositor draws the first frame
        return geometry;
    }

    // The brightest of a few pixels around a point of the screen.
    static int brightestAround(const QImage &screen, QPoint centre)
    {
        int brightest = 0;
        for (int dy = -10; dy <= 10; dy += 5)
            for (int dx = -10; dx <= 10; dx += 5)
                brightest = std::max(brightest, qGray(screen.pixel(centre + QPoint(dx, dy))));
        return brightest;
    }

    // Runs the first item of the widget's menu, "Обновить" in either face, as a user does.
    void chooseUpdate(const QRect &window)
    {
        desktop.click(window.topLeft() + QPoint(60, 150), 3);
        QThread::msleep(1000); // the menu comes up
        desktop.pressKeys({QStringLiteral("Down"), QStringLiteral("Return")});
    }

    // Settings that choose the XML export, whose stand-in serves the towns that misbehave.
    static QByteArray withTheXmlExport(QByteArray settings)
    {
        return settings.replace("[ForecastSource]\nSource=1", "[ForecastSource]\nSource=0");
    }

    void endAndExpectSaved(const QByteArray &settings)
    {
        ASSERT_TRUE(program.terminate(20000));
        EXPECT_EQ(program.process().exitCode(), 0);
        EXPECT_EQ(program.readDataFile(SettingsFileName), settings) << "saved unchanged at the end";
    }

    test::VirtualDesktop desktop;
    test::IsolatedProgram program;
};

TEST_F(DesktopTest, OfflineTheWidgetIsASeeThroughBorderlessClockAtItsStoredPlace)
{
    // No network here: the widget shows the clock-only face, whose size is stored.
    QByteArray settings = test::installedDataFile(QStringLiteral("Tervalo.ini"));
    settings.replace("ValueTop=40", "ValueTop=70").replace("ValueLeft=40", "ValueLeft=90");
    settings.replace("ValueHeight=235", "ValueHeight=170")
        .replace("ValueWidth=520", "ValueWidth=500");
    const std::optional<QRect> geometry = startWith(settings);
    ASSERT_TRUE(geometry.has_value()) << "the window did not appear";
    EXPECT_EQ(*geometry, QRect(90, 70, 500, 170))
        << "no frame around it, at the stored place and size";

    const QImage screen = desktop.screenshot();
    ASSERT_FALSE(screen.isNull());
    // Inside the window, above the background and left of the centred flip cards: nothing paints.
    EXPECT_EQ(screen.pixelColor(geometry->topLeft() + QPoint(20, 5)),
              test::VirtualDesktop::DesktopColour);
    // The flip cards do paint.
    EXPECT_NE(screen.pixelColor(geometry->topLeft() + QPoint(175, 40)),
              test::VirtualDesktop::DesktopColour);
    endAndExpectSaved(settings);
}

TEST_F(DesktopTest, OnlineTheWidgetShowsTheForecastOfTheService)
{
    program.serveTheServicesOnLoopback();
    const QByteArray settings =
        withTheXmlExport(test::installedDataFile(QStringLiteral("Tervalo.ini")));
    const std::optional<QRect> geometry = startWith(settings);
    ASSERT_TRUE(geometry.has_value()) << "the window did not appear";
    EXPECT_EQ(*geometry, QRect(40, 40, 520, 235)) << "the weather face with the forecast panel";

    const QByteArray requests = test::readFileBytes(program.serviceRequestLog());
    EXPECT_TRUE(requests.contains("GET /weather-ng/forecasts/27612.xml HTTP/1.1"))
        << requests.toStdString();
    // The snow cloud of the forecast, bright over the dark background of the weather.
    const QImage screen = desktop.screenshot();
    ASSERT_FALSE(screen.isNull());
    EXPECT_GT(brightestAround(screen, geometry->topLeft() + QPoint(300 + 108, 50)), 200);
    endAndExpectSaved(settings);
}

// A new install as shipped: Open-Meteo's host answers over HTTPS with a certificate of the test
// authority, which the namespace's system bundle holds.
TEST_F(DesktopTest, OnlineANewInstallShowsOpenMeteosWeather)
{
    program.serveTheServicesOnLoopback();
    const QByteArray settings = test::installedDataFile(QStringLiteral("Tervalo.ini"));
    const std::optional<QRect> geometry = startWith(settings);
    ASSERT_TRUE(geometry.has_value()) << "the window did not appear";
    EXPECT_EQ(*geometry, QRect(40, 40, 520, 235)) << "the weather face, not the clock-only one";

    const QByteArray requests = test::readFileBytes(program.serviceRequestLog());
    EXPECT_TRUE(requests.contains("GET /v1/forecast?latitude=55.8333&longitude=37.6167&"))
        << requests.toStdString();
    EXPECT_FALSE(requests.contains("/weather-ng/")) << requests.toStdString();
    EXPECT_FALSE(desktop.windowGeometry(QStringLiteral("Confirm"))) << "no failure box";
    const QImage screen = desktop.screenshot();
    ASSERT_FALSE(screen.isNull());
    // The snow cloud of the stand-in's answer, bright over the dark background of the weather.
    EXPECT_GT(brightestAround(screen, geometry->topLeft() + QPoint(300 + 108, 50)), 200);
    // For the project's documents: the window with a little of the desktop around it.
    screen.copy(geometry->adjusted(-20, -20, 20, 20))
        .save(QStringLiteral("open-meteo-desktop.png"));
    endAndExpectSaved(settings);
}

// In tray mode the widget is a tool window, which the toolkit does not count as a window: the
// forecast failure box closing must not look like the last window closing.
TEST_F(DesktopTest, InTrayModeTheProgramOutlivesTheForecastFailureBox)
{
    ASSERT_TRUE(desktop.addNotificationArea()) << "trayer did not start";
    program.serveTheServicesOnLoopback();
    QByteArray settings = test::installedDataFile(QStringLiteral("Tervalo.ini"));
    // The first forecast is served, every later request fails.
    settings.replace("CityIDSave=27612", "CityIDSave=firstonly");
    settings = withTheXmlExport(settings);
    settings.replace("[IconStatus]\nChecked=0", "[IconStatus]\nChecked=1");
    const std::optional<QRect> geometry = startWith(settings);
    ASSERT_TRUE(geometry.has_value()) << "the window did not appear";

    chooseUpdate(*geometry);
    ASSERT_TRUE(desktop.pressKeysIn(QStringLiteral("Confirm"), {QStringLiteral("Return")}, 10000))
        << "no forecast failure box";
    ASSERT_FALSE(program.process().waitForFinished(2000)) << "the program ended with the box";
    EXPECT_FALSE(desktop.windowGeometry(QStringLiteral("Confirm"))) << "the box is closed";
    ASSERT_TRUE(program.terminate(20000));
    EXPECT_EQ(program.process().exitCode(), 0);
}

// The digital clock-only face shows seconds. "Обновить" brings the weather, whose answer takes
// seconds to come; the clock goes on meanwhile.
TEST_F(DesktopTest, TheClockGoesOnWhileASlowForecastIsAwaited)
{
    program.serveTheServicesOnLoopback();
    QByteArray settings = test::installedDataFile(QStringLiteral("Tervalo.ini"));
    settings.replace("CityIDSave=27612", "CityIDSave=delayed");
    settings = withTheXmlExport(settings);
    settings.replace("[ClockMode]\nChecked=1", "[ClockMode]\nChecked=0");
    settings.replace("CurrentMode=0", "CurrentMode=1");
    const std::optional<QRect> geometry = startWith(settings);
    ASSERT_TRUE(geometry.has_value()) << "the window did not appear";

    chooseUpdate(*geometry);
    // Both pictures are taken within the three seconds the answer takes after its request.
    QElapsedTimer elapsed;
    elapsed.start();
    while (!test::readFileBytes(program.serviceRequestLog()).contains("delayed.xml") &&
           elapsed.elapsed() < 10000)
        QThread::msleep(50);
    ASSERT_LT(elapsed.elapsed(), 10000) << "the forecast was not asked for";
    const QRect clock(geometry->topLeft(), QSize(geometry->width(), 150));
    const QImage before = desktop.screenshot().copy(clock);
    QThread::msleep(1100);
    const QImage after = desktop.screenshot().copy(clock);
    EXPECT_NE(before, after) << "the clock stood still while the forecast was awaited";
    ASSERT_TRUE(program.terminate(20000));
}

} // namespace
} // namespace tervalo
