// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace tervalo {

// The Exec value of a desktop entry that runs `program` with no arguments, as it stands in the
// file: quoted when the path holds a character the Desktop Entry specification reserves, and
// escaped for the quoting and then for the string value, so a launcher runs exactly that path.
QString desktopEntryExec(const QString &program);

// Where the autostart entry of the program named `title` lies in the home `home`.
QString autostartEntryPath(const QString &home, const QString &title);

// The autostart entry that starts `program` under the name `title` when the user logs in, as
// long as `program` is there.
QByteArray autostartEntry(const QString &title, const QString &program);

} // namespace tervalo
