// SPDX-License-Identifier: MIT
#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace tervalo {

namespace {
const char *const WineFontFolder = "/usr/share/wine/fonts/";
} // namespace

void registerFonts()
{
    if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        for (const char *file : {"tahoma.ttf", "tahomabd.ttf"})
            QFontDatabase::addApplicationFont(QLatin1String(WineFontFolder) + QLatin1String(file));
    }
    QFont::insertSubstitution(QStringLiteral("Roboto Th"), QStringLiteral("Roboto Thin"));
}

} // namespace tervalo
