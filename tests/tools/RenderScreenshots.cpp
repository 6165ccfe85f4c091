// SPDX-License-Identifier: MIT
// Renders the real widget into PNG pictures for the project's documents: the window drawn
// offscreen over a desktop-like backdrop, so its see-through parts show as they would. The
// weather comes from the stand-in forecast service, read as the program reads it.
//
//   render-screenshots <output folder> [2x]
//
// With "2x" it renders the classic and the digital skin as a screen of two image pixels per
// window pixel shows them, as classic@2x.png and digital@2x.png.
#include "platform/Fonts.h"
#include "presentation/Skins.h"
#include "settings/DataFiles.h"
#include "settings/Settings.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"
#include "support/WeatherFace.h"

#include <QApplication>
#include <QDir>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

using tervalo::TForm1;

constexpr int Margin = 40;

// What lies behind the window: a calm evening sky, or a plain light desktop.
enum class Backdrop { EveningSky, Light };

// The window over its backdrop, at the window picture's pixel ratio.
QImage onDesktop(const QImage &window, Backdrop backdrop)
{
    const qreal ratio = window.devicePixelRatio();
    const QSizeF size = window.deviceIndependentSize() + QSizeF(2 * Margin, 2 * Margin);
    QImage desktop((size * ratio).toSize(), QImage::Format_ARGB32);
    desktop.setDevicePixelRatio(ratio);
    QPainter painter(&desktop);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(0x2b, 0x4a, 0x6f));
    sky.setColorAt(0.6, QColor(0x5d, 0x7f, 0x9e));
    sky.setColorAt(1, QColor(0xc9, 0x8f, 0x6b));
    if (backdrop == Backdrop::Light)
        painter.fillRect(QRectF(QPointF(0, 0), size), QColor(0xe8, 0xe8, 0xe8));
    else
        painter.fillRect(QRectF(QPointF(0, 0), size), sky);
    painter.drawImage(QPointF(Margin, Margin), window);
    return desktop;
}

bool save(TForm1 &form, const QString &path, Backdrop backdrop = Backdrop::EveningSky)
{
    form.show();
    QApplication::processEvents();
    const bool saved = onDesktop(form.grab().toImage(), backdrop).save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// The texts a widget shows instead of the stand-in service's, where given.
struct TextsShown {
    QString town, condition;
};

// One widget in a skin, with the weather of the stand-in service at the given time.
bool render(const tervalo::test::LoopbackForecastService &service, int skin, QTime time,
            const QString &path, Backdrop backdrop = Backdrop::EveningSky,
            const TextsShown &texts = {})
{
    tervalo::test::WidgetHarness harness(service.endpoints());
    harness.platform.clock = QDateTime(QDate(2014, 1, 1), time);
    tervalo::SharedState &shared = harness.shared;
    shared.AppSettings.CityID = QStringLiteral("27612");
    shared.AppSettings.ClockMode = true;
    shared.AppSettings.PanelsMode = skin;
    shared.AppSettings.SizeFontForSkin = 5;
    shared.AppSettings.FontColorForSkin = 0x00FFFFFF;
    tervalo::test::fetchAndShowWeather(harness);
    TForm1 &form = *harness.form;
    if (!texts.town.isEmpty())
        form.CityNameLabel->setText(texts.town);
    if (!texts.condition.isEmpty())
        form.CloudLabel->setText(texts.condition);
    form.ChangePanels(); // as an update ends
    return save(form, path, backdrop);
}

// The settings dialog, filled from a user's settings after a forecast was read, one picture
// per page.
bool renderDialog(const tervalo::test::LoopbackForecastService &service, const QDir &output)
{
    // The links show the real sites, as the installed program's would.
    tervalo::ForecastService endpoints = service.endpoints();
    endpoints.siteRoot = tervalo::ForecastService::standard().siteRoot;
    endpoints.programSite = tervalo::ForecastService::standard().programSite;
    tervalo::test::WidgetHarness harness(endpoints);
    harness.platform.writeDataFile(
        tervalo::TownDirectoryFileName,
        tervalo::test::readFileBytes(QStringLiteral(TERVALO_SOURCE_DIR "/data/cities.xml")));
    tervalo::TAppSettings &settings = harness.shared.AppSettings;
    settings.CityID = QStringLiteral("27612");
    settings.CityText = QStringLiteral("Москва, Россия - 27612");
    settings.ClockMode = true;
    settings.UpdateInterval = 3;
    settings.DateFormat = 1;
    settings.AutoRun = true;
    settings.FontColorForSkin = 0x00FFFFFF;
    settings.SizeFontForSkin = 5;
    settings.ForecastSource = tervalo::forecast_source::OpenMeteo; // as a new install has it
    tervalo::test::fetchAndShowWeather(harness);
    // A proxy the user set up for later: the weather above came directly.
    settings.ProxyUse = true;
    settings.ProxyPublic = true;
    settings.ProxyHost = QStringLiteral("proxy.example.org");
    settings.ProxyPort = 3128;
    settings.ProxyUser = QStringLiteral("ivanov");
    settings.ProxyPass = QStringLiteral("secret");
    tervalo::TForm2 dialog(harness.context, *harness.form);
    dialog.FormCreate();
    dialog.MenuSetttingsClick();
    const std::pair<QWidget *, const char *> pages[] = {
        {dialog.TabSheet4, "dialog-general.png"}, {dialog.TabSheet1, "dialog-weather.png"},
        {dialog.TabSheet5, "dialog-style.png"},   {dialog.TabSheet3, "dialog-network.png"},
        {dialog.TabSheet2, "dialog-about.png"},
    };
    bool saved = true;
    for (const auto &[page, name] : pages) {
        dialog.PageControl->setCurrentWidget(page);
        QApplication::processEvents();
        const QString path = output.filePath(QLatin1String(name));
        const bool written = dialog.grab().save(path);
        std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(path));
        saved &= written;
    }
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool doubled = argc == 3 && qstrcmp(argv[2], "2x") == 0;
    if (doubled)
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    tervalo::registerFonts();
    if (argc < 2 || (argc > 2 && !doubled)) {
        std::fprintf(stderr, "usage: %s <output folder> [2x]\n", argv[0]);
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    output.mkpath(QStringLiteral("."));
    const tervalo::test::LoopbackForecastService service;
    if (!service.isRunning()) {
        std::fprintf(stderr, "the stand-in forecast service did not start\n");
        return 1;
    }

    const QTime day(10, 8, 0), night(23, 41, 0);
    if (doubled) {
        const bool saved = render(service, tervalo::ClassicSkin, day,
                                  output.filePath(QStringLiteral("classic@2x.png"))) &
                           render(service, tervalo::DigitalSkin, day,
                                  output.filePath(QStringLiteral("digital@2x.png")));
        return saved ? 0 : 1;
    }
    bool saved = true;
    {
        tervalo::test::WidgetHarness design;
        design.platform.clock = QDateTime(QDate(2014, 1, 1), QTime(10, 8, 0));
        design.form->ClockTimer();
        saved &= save(*design.form, output.filePath(QStringLiteral("design.png")));
    }
    saved &=
        render(service, tervalo::ClassicSkin, day, output.filePath(QStringLiteral("classic.png")));
    saved &=
        render(service, tervalo::DigitalSkin, day, output.filePath(QStringLiteral("digital.png")));
    saved &= render(service, tervalo::MinimalisticSkin, day,
                    output.filePath(QStringLiteral("minimalistic.png")));
    saved &= render(service, tervalo::ClassicSkin, night,
                    output.filePath(QStringLiteral("classic-night.png")));
    // Over a light desktop, and with the longest town of the directory and a long condition.
    saved &= render(service, tervalo::ClassicSkin, day,
                    output.filePath(QStringLiteral("classic-light.png")), Backdrop::Light);
    saved &= render(service, tervalo::MinimalisticSkin, day,
                    output.filePath(QStringLiteral("minimalistic-light.png")), Backdrop::Light);
    const TextsShown longTexts{QStringLiteral("Петропавловск-Камчатский"),
                               QStringLiteral("облачно с прояснениями, временами снег")};
    saved &= render(service, tervalo::ClassicSkin, day,
                    output.filePath(QStringLiteral("classic-long-texts.png")), Backdrop::EveningSky,
                    longTexts);
    saved &= render(service, tervalo::DigitalSkin, day,
                    output.filePath(QStringLiteral("digital-long-texts.png")), Backdrop::EveningSky,
                    longTexts);
    saved &= renderDialog(service, output);
    return saved ? 0 : 1;
}
