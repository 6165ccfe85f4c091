// SPDX-License-Identifier: MIT
// Draws all of Tervalo's pictures into a folder, and optionally the program icon:
//
//   tervalo-artwork <pictures-folder> [<program-icon.png>]
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

bool writeWeatherPictures(const QDir &folder)
{
    bool ok = true;
    for (const NamedScene &day : dayScenes) {
        const QString name = QString::fromLatin1(day.name);
        ok &= save(scenePicture(day.scene, largeFrame), folder.filePath("B" + name + ".png"));
        ok &= save(scenePicture(day.scene, smallFrame), folder.filePath("SM" + name + ".png"));
    }
    for (const NamedScene &night : nightScenes)
        ok &= save(scenePicture(night.scene, largeFrame),
                   folder.filePath(QString::fromLatin1(night.name) + ".png"));
    return ok;
}

bool writeFlipCards(const QDir &folder)
{
    bool ok = true;
    for (int number = 0; number < flipCardCount; ++number)
        ok &= save(flipCardPicture(number),
                   folder.filePath(QStringLiteral("CLOCK%1.png").arg(number)));
    return ok;
}

bool writeBackgrounds(const QDir &folder)
{
    return save(panelPicture(Skin::Classic, mainPanelSize), folder.filePath("CLASSIKM.png")) &
           save(panelPicture(Skin::Classic, forecastPanelSize), folder.filePath("CLASSIKA.png")) &
           save(panelPicture(Skin::Modern, mainPanelSize), folder.filePath("MODERNM.png")) &
           save(panelPicture(Skin::Modern, forecastPanelSize), folder.filePath("MODERNA.png"));
}

bool writePreviews(const QDir &folder)
{
    bool ok = true;
    for (const NamedPreview &preview : previews)
        ok &= save(previewPicture(preview),
                   folder.filePath(QString::fromLatin1(preview.name) + ".png"));
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
    bool ok = writeWeatherPictures(folder) & writeFlipCards(folder) & writeBackgrounds(folder) &
              writePreviews(folder);
    if (arguments.size() > 2)
        ok &= save(programIcon(), arguments.at(2));
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
    std::fprintf(stderr, "usage: tervalo-artwork <pictures-folder> [<program-icon.png>]\n"
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
