// SPDX-License-Identifier: MIT
#include "presentation/Pictures.h"
#include "presentation/Skins.h"
#include "settings/DataFiles.h"
#include "shell/Application.h"
#include "shell/Main.h"
#include "shell/TrayIcon.h"
#include "support/Files.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QFile>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tervalo {
namespace {

// What a desktop asks for: menus and the notification area 16 to 24, panels and launchers 32
// to 64, the software centre 128 and 256.
const int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QList<QSize> squares()
{
    QList<QSize> sizes;
    for (const int size : IconSizes)
        sizes << QSize(size, size);
    return sizes;
}

QList<QSize> sizesOf(const QIcon &icon)
{
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    return sizes;
}

// The file the package installs into /usr/share/icons.
QString themeFile(int size)
{
    return QStringLiteral(TERVALO_SOURCE_DIR "/resources/icons/hicolor/%1x%1/apps/tervalo.png")
        .arg(size);
}

double contrast(QRgb a, QRgb b)
{
    return contrastRatio(QColor(a), QColor(b));
}

struct Readability {
    double coverage;  // of the square, by pixels at least half opaque
    double standsOut; // of those pixels, the share that contrasts 3:1 with the panel
};

Readability onPanel(const QImage &icon, QRgb panel)
{
    int solid = 0;
    int standingOut = 0;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb pixel = icon.pixel(x, y);
            if (qAlpha(pixel) < 128)
                continue;
            ++solid;
            const double a = qAlpha(pixel) / 255.0;
            const auto mix = [a](int up, int down) { return qRound(up * a + down * (1 - a)); };
            const QRgb shown =
                qRgb(mix(qRed(pixel), qRed(panel)), mix(qGreen(pixel), qGreen(panel)),
                     mix(qBlue(pixel), qBlue(panel)));
            standingOut += contrast(shown, panel) >= 3.0;
        }
    return {double(solid) / (icon.width() * icon.height()),
            double(standingOut) / std::max(1, solid)};
}

TEST(ProgramIcon, EverySizeIsDrawnForItselfOnATransparentGroundAndReadsOnAnyPanel)
{
    const QRgb darkPanel = qRgb(0x20, 0x28, 0x30);
    const QRgb lightPanel = qRgb(0xe8, 0xe8, 0xe8);
    for (const int size : IconSizes) {
        SCOPED_TRACE(testing::Message() << size << " px");
        QFile file(themeFile(size));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray png = file.readAll();
        EXPECT_EQ(png.mid(24, 2), QByteArray("\x08\x06", 2)) << "8-bit RGBA";
        const QImage icon = QImage::fromData(png).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(icon.size(), QSize(size, size));
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << "no tile behind the mark";

        for (const QRgb panel : {darkPanel, lightPanel}) {
            SCOPED_TRACE(panel == darkPanel ? "on a dark panel" : "on a light panel");
            const Readability seen = onPanel(icon, panel);
            // Light parts carry the mark on a dark panel, its dark outline on a light one.
            EXPECT_GE(seen.coverage, 0.35) << "a mark that fills its square";
            EXPECT_GE(seen.standsOut, panel == darkPanel ? 0.6 : 0.2);
        }
        EXPECT_EQ(programIcon()
                      .pixmap(QSize(size, size))
                      .toImage()
                      .convertToFormat(QImage::Format_ARGB32),
                  icon)
            << "the program's own drawing at this size, not another one scaled";
    }
}

// The window icon and the tray icon are the one with every size.
TEST(ProgramIcon, TheWindowsAndTheNotificationAreaShowIt)
{
    EXPECT_EQ(sizesOf(programIcon()), squares());
    test::TestPlatform platform;
    platform.writeDataFile(SettingsFileName,
                           test::installedDataFile(QStringLiteral("Tervalo.ini")));
    platform.writeDataFile(TownDirectoryFileName, test::readFileBytes(QStringLiteral(
                                                      TERVALO_SOURCE_DIR "/data/cities.xml")));
    const ForecastService service;
    Application program(platform, service);
    program.start();
    EXPECT_EQ(sizesOf(QApplication::windowIcon()), squares());
    const auto *tray = program.form1()->TrayIcon1->findChild<QSystemTrayIcon *>();
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(sizesOf(tray->icon()), squares());
}

} // namespace
} // namespace tervalo
