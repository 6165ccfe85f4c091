// SPDX-License-Identifier: MIT
// Draws all of Tervalo's pictures into a folder, and optionally the program icon:
//
//   tervalo-artwork <pictures-folder> [<icons-folder>]
//
// The icons folder gets the program icon at every size as hicolor/<N>x<N>/apps/tervalo.png.
//
// A second mode lays finished pictures out on a contact sheet for checking them by eye:
//
//   tervalo-artwork --contact-sheet <sheet.png> <zoom> <columns> <picture.png>...

#include "Backgrounds.h"
#include "ContactSheet.h"
#include "FlipCards.h"
#include "Layers.h"
#include "Previews.h"
#include "ProgramIcon.h"
#include "WeatherScenes.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

using namespace tervalo::artwork;

namespace {

constexpr int flipCardCount = 60;

// Saves one picture; returns false, having said why, when it cannot.
bool save(const QImage &image, const QString &path)
{
    if (savePng(image, path))
        return true;
    std::fprintf(stderr, "tervalo-artwork: cannot write %s\n", qPrintable(path));
    return false;
}

// Every picture comes at its own size and at twice it, for screens with more than one image
// pixel per window pixel; the widget picks the one that matches the screen.
struct Ratio {
    qreal ratio;
    const char *suffix;
};
constexpr Ratio ratios[] = {{1, ""}, {2, "@2x"}};

QString pictureFile(const QDir &folder, const QString &name, const Ratio &ratio)
{
    return folder.filePath(name + QLatin1String(ratio.suffix) + QStringLiteral(".png"));
}

bool writeWeatherPictures(const QDir &folder, const Ratio &ratio)
{
    bool ok = true;
    for (const NamedScene &day : dayScenes) {
        const QString name = QString::fromLatin1(day.name);
        ok &= save(scenePicture(day.scene, largeFrame, ratio.ratio),
                   pictureFile(folder, "B" + name, ratio));
        ok &= save(scenePicture(day.scene, smallFrame, ratio.ratio),
                   pictureFile(folder, "SM" + name, ratio));
    }
    for (const NamedScene &night : nightScenes)
        ok &= save(scenePicture(night.scene, largeFrame, ratio.ratio),
                   pictureFile(folder, QString::fromLatin1(night.name), ratio));
    return ok;
}

bool writeFlipCards(const QDir &folder, const Ratio &ratio)
{
    bool ok = true;
    for (int number = 0; number < flipCardCount; ++number)
        ok &= save(flipCardPicture(number, ratio.ratio),
                   pictureFile(folder, QStringLiteral("CLOCK%1").arg(number), ratio));
    return ok;
}

bool writeBackgrounds(const QDir &folder, const Ratio &ratio)
{
    const struct {
        const char *name;
        Skin skin;
        QSize size;
    } panels[] = {{"CLASSIKM", Skin::Classic, mainPanelSize},
                  {"CLASSIKA", Skin::Classic, forecastPanelSize},
                  {"MODERNM", Skin::Modern, mainPanelSize},
                  {"MODERNA", Skin::Modern, forecastPanelSize}};
    bool ok = true;
    for (const auto &panel : panels)
        ok &= save(panelPicture(panel.skin, panel.size, ratio.ratio),
                   pictureFile(folder, QLatin1String(panel.name), ratio));
    return ok;
}

bool writePreviews(const QDir &folder, const Ratio &ratio)
{
    bool ok = true;
    for (const NamedPreview &preview : previews)
        ok &= save(previewPicture(preview, ratio.ratio),
                   pictureFile(folder, QString::fromLatin1(preview.name), ratio));
    return ok;
}

// The program icon at every size, in the folders of the hicolor icon theme.
bool writeProgramIcons(const QDir &iconsFolder)
{
    bool ok = true;
    for (const int size : programIconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!QDir(iconsFolder).mkpath(folder)) {
            std::fprintf(stderr, "tervalo-artwork: cannot create %s\n",
                         qPrintable(iconsFolder.filePath(folder)));
            ok = false;
            continue;
        }
        ok &= save(programIcon(size), iconsFolder.filePath(folder + "/tervalo.png"));
    }
    return ok;
}

int drawEverything(const QStringList &arguments)
{
    const QString folderPath = arguments.at(1);
    if (!QDir().mkpath(folderPath)) {
        std::fprintf(stderr, "tervalo-artwork: cannot create %s\n", qPrintable(folderPath));
        return EXIT_FAILURE;
    }
    const QDir folder(folderPath);
    bool ok = true;
    for (const Ratio &ratio : ratios)
        ok &= writeWeatherPictures(folder, ratio) & writeFlipCards(folder, ratio) &
              writeBackgrounds(folder, ratio) & writePreviews(folder, ratio);
    if (arguments.size() > 2)
        ok &= writeProgramIcons(QDir(arguments.at(2)));
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

int drawContactSheet(const QStringList &arguments)
{
    bool zoomOk = false;
    bool columnsOk = false;
    const int zoom = arguments.at(3).toInt(&zoomOk);
    const int columns = arguments.at(4).toInt(&columnsOk);
    if (!zoomOk || !columnsOk || zoom < 1 || columns < 1) {
        std::fprintf(stderr, "tervalo-artwork: zoom and columns must be positive numbers\n");
        return EXIT_FAILURE;
    }
    return save(contactSheet(arguments.mid(5), zoom, columns), arguments.at(2)) ? EXIT_SUCCESS
                                                                                : EXIT_FAILURE;
}

int usage()
{
    std::fprintf(stderr, "usage: tervalo-artwork <pictures-folder> [<icons-folder>]\n"
                         "       tervalo-artwork --contact-sheet <sheet.png> <zoom> <columns> "
                         "<picture.png>...\n");
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char *argv[])
{
    // The pictures are drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() >= 6 && arguments.at(1) == QLatin1String("--contact-sheet"))
        return drawContactSheet(arguments);
    if (arguments.size() == 2 || arguments.size() == 3)
        if (!arguments.at(1).startsWith(QLatin1String("--")))
            return drawEverything(arguments);
    return usage();
}
