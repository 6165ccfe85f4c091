// SPDX-License-Identifier: MIT
#include "platform/Display.h"

#include <QByteArray>

#include <cstring>

namespace tervalo {

namespace {

QByteArray explicitPlatform(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    }
    return qgetenv("QT_QPA_PLATFORM");
}

} // namespace

std::optional<QString> chooseDisplayPlatform(int argc, char **argv)
{
    const QByteArray chosen = explicitPlatform(argc, argv);
    const bool hasX11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (!chosen.isEmpty() && !chosen.startsWith("xcb"))
        return std::nullopt;
    if (!hasX11) {
        return QStringLiteral("tervalo: no X display to show the widget on (DISPLAY is not set). "
                              "Start it from a desktop session.");
    }
    if (chosen.isEmpty())
        qputenv("QT_QPA_PLATFORM", "xcb");
    return std::nullopt;
}

} // namespace tervalo
