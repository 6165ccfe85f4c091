// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tervalo {

// The two files the installer places in the user's data folder; the program never creates
// them, and does not start without them.
inline const QString SettingsFileName = QStringLiteral("Tervalo.ini");
inline const QString TownDirectoryFileName = QStringLiteral("cities.xml");

// The data folder of the account whose home directory is given, ending in "/".
inline QString dataFolderIn(const QString &homeDirectory)
{
    return homeDirectory + QStringLiteral("/.config/Orvek/");
}

} // namespace tervalo
