// SPDX-License-Identifier: MIT
// Start with the system: the user's XDG autostart entry.
#include "settings/AutoRun.h"

#include "platform/AppError.h"
#include "shell/Main.h"

#include <algorithm>

namespace tervalo {

namespace {

// The characters for which the Desktop Entry specification requires an argument to be quoted.
bool isReserved(QChar c)
{
    return QStringView(u" \t\n\"'\\><~|&;$*?#()`").contains(c);
}

// Inside double quotes, these four are preceded by a backslash.
QString quoted(const QString &argument)
{
    QString result = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (QStringView(u"\"`$\\").contains(c))
            result += QLatin1Char('\\');
        result += c;
    }
    return result + QLatin1Char('"');
}

// The escapes of a string value, which a reader undoes before anything else.
QString escapedValue(const QString &value)
{
    QString result;
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            result += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            result += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            result += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            result += QStringLiteral("\\r");
        else
            result += c;
    }
    return result;
}

// The name under which the installation puts the program's icon into the icon theme, as the
// launcher it installs names it.
const QString InstalledIconName = QStringLiteral("tervalo");

QString autostartFolderOf(const QString &home)
{
    return home + QStringLiteral("/.config/autostart");
}

} // namespace

QString autostartEntryPath(const QString &home, const QString &title)
{
    return autostartFolderOf(home) + QLatin1Char('/') + title + QStringLiteral(".desktop");
}

QString desktopEntryExec(const QString &program)
{
    // A percent sign would start a field code, quoted or not.
    QString argument = program;
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool needsQuotes = std::any_of(argument.cbegin(), argument.cend(), isReserved);
    return escapedValue(needsQuotes ? quoted(argument) : argument);
}

// TryExec names the program as a plain path: once the program is removed, the desktop skips
// the entry instead of failing to start it at every login.
QByteArray autostartEntry(const QString &title, const QString &program)
{
    return QStringLiteral(
               "[Desktop Entry]\nType=Application\nName=%1\nTryExec=%2\nExec=%3\nIcon=%4\n")
        .arg(escapedValue(title), escapedValue(program), desktopEntryExec(program),
             InstalledIconName)
        .toUtf8();
}

// Writes the entry when the user wants the program to start at login and removes it when not.
// A folder that cannot be made is passed over in silence, as the setting is saved anyway.
void TForm1::AutoRun()
{
    const QString home = context.platform.homeDirectoryOf(shared.UserName);
    if (home.isEmpty())
        return; // never an entry under the root of the file system
    FileStore &files = context.platform.files();
    const QString folder = autostartFolderOf(home);
    const QString entry = autostartEntryPath(home, context.title);
    if (!shared.AppSettings.AutoRun) {
        files.remove(entry);
        return;
    }
    if (!files.makeFolder(folder))
        return;
    if (!files.replace(entry, autostartEntry(context.title, context.platform.executablePath())))
        throw AppError(QStringLiteral("Failed to set data for '%1'").arg(context.title));
}

} // namespace tervalo
