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

// The real program on a real X server: a borderless window at the stored place and size,
// see-through wherever no control paints, ending in order on SIGTERM.
TEST(Desktop, TheWidgetIsASeeThroughBorderlessWindowAtItsStoredPlace)
{
    if (const std::optional<QString> reason = test::IsolatedProgram::unavailableReason())
        GTEST_SKIP() << "the real executable is not started: " << reason->toStdString();
    const test::VirtualDesktop desktop;
    if (const std::optional<QString> reason = desktop.unavailableReason())
        GTEST_SKIP() << "no virtual desktop: " << reason->toStdString();

    test::IsolatedProgram program;
    QByteArray settings = test::installedDataFile(QStringLiteral("Tervalo.ini"));
    // No network here: the widget shows the clock-only face, whose size is stored.
    settings.replace("ValueTop=40", "ValueTop=70").replace("ValueLeft=40", "ValueLeft=90");
    settings.replace("ValueHeight=235", "ValueHeight=170")
        .replace("ValueWidth=520", "ValueWidth=500");
    program.writeDataFile(SettingsFileName, settings);
    program.writeDataFile(TownDirectoryFileName,
                          test::installedDataFile(QStringLiteral("cities.xml")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("DISPLAY"), desktop.display());
    program.start({}, environment.toStringList());
    ASSERT_TRUE(program.waitUntilRunning(20000))
        << program.process().readAllStandardError().toStdString();

    std::optional<QRect> geometry;
    QElapsedTimer elapsed;
    elapsed.start();
    while (!(geometry = desktop.windowGeometry(QStringLiteral("Tervalo"))) &&
           elapsed.elapsed() < 10000)
        QThread::msleep(100);
    ASSERT_TRUE(geometry.has_value()) << "the window did not appear";
    EXPECT_EQ(*geometry, QRect(90, 70, 500, 170))
        << "no frame around it, at the stored place and size";

    QThread::msleep(1500); // the compositor draws the first frame
    const QImage screen = desktop.screenshot();
    ASSERT_FALSE(screen.isNull());
    // Inside the window, above the background and left of the centred flip cards: nothing paints.
    EXPECT_EQ(screen.pixelColor(geometry->left() + 20, geometry->top() + 5),
              test::VirtualDesktop::DesktopColour);
    // The flip cards do paint.
    EXPECT_NE(screen.pixelColor(geometry->left() + 175, geometry->top() + 40),
              test::VirtualDesktop::DesktopColour);

    ASSERT_TRUE(program.terminate(20000));
    EXPECT_EQ(program.process().exitCode(), 0);
    EXPECT_EQ(program.readDataFile(SettingsFileName), settings) << "saved unchanged at the end";
}

} // namespace
} // namespace tervalo
