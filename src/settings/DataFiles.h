// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace tervalo {

// The two files the installer places in the user's data folder; the program never makes
// them up, and does not start without them.
inline const QString SettingsFileName = QStringLiteral("Tervalo.ini");
inline const QString TownDirectoryFileName = QStringLiteral("cities.xml");
// Held in the data folder by the running instance: a second one waits for it to end, so that
// it reads the settings only after the first has saved them.
inline const QString InstanceLockFileName = QStringLiteral("Tervalo.lock");

// The data folder of the account whose home directory is given, ending in "/".
inline QString dataFolderIn(const QString &homeDirectory)
{
    return homeDirectory + QStringLiteral("/.config/Orvek/");
}

// Where an installation keeps the default data files, relative to the executable:
// <prefix>/share/tervalo/ beside <prefix>/bin/tervalo. Ends in "/".
inline QString installedDefaultsFolder(const QString &executablePath)
{
    const QString programFolder = QFileInfo(executablePath).absolutePath();
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/tervalo")) + QLatin1Char('/');
}

} // namespace tervalo
