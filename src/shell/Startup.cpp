// SPDX-License-Identifier: MIT
// Start-up and shutdown of the widget window.
#include "settings/AutoRun.h"
#include "settings/DataFiles.h"
#include "shell/Main.h"

namespace tervalo {

namespace {

constexpr int MinimumOsMajorVersion = 6;

} // namespace

void TForm1::FormCreate()
{
    shared.UserName = context.platform.userName();
    shared.DataFolder = dataFolderIn(context.platform.homeDirectoryOf(shared.UserName));
    if (!lockInstance())
        return;
    removeLeftoversOfInterruptedWrites();
    installMissingDataFiles();
    OSCheck();
    const FileStore &files = context.platform.files();
    const bool hasDataFiles = files.isFile(shared.DataFolder + SettingsFileName) &&
                              files.isFile(shared.DataFolder + TownDirectoryFileName);
    // The clock is there at once, however long the service takes to answer.
    if (hasDataFiles && !refusedStart)
        showStartingFace();
    InetCheck();
    if (hasDataFiles) {
        VerifyMode();
    } else {
        refusedStart = true;
        AutoUpdate->setEnabled(false);
        context.platform.showMessage(
            {QStringLiteral("Конфигурационные файлы не найдены. Необходимо переустановить "
                            "приложение."),
             QStringLiteral("Error"), MessageIcon::Error});
        context.end.request();
    }
    TrayIcon1->showBalloon();
}

// The installer's step for each account, done here for every account that starts the program:
// a data file missing from the data folder is copied from the defaults installed with the
// program. A program run from its build tree has none, and the start is refused below.
void TForm1::installMissingDataFiles()
{
    const QString defaults = installedDefaultsFolder(context.platform.executablePath());
    for (const QString &name : {SettingsFileName, TownDirectoryFileName})
        context.platform.files().copyIfMissing(defaults + name, shared.DataFolder + name);
}

// Every file the program writes is put in place from a temporary beside it, which a kill at the
// wrong moment leaves behind: the settings' saves, the copies above and the autostart entry.
void TForm1::removeLeftoversOfInterruptedWrites()
{
    FileStore &files = context.platform.files();
    for (const QString &name : {SettingsFileName, TownDirectoryFileName})
        files.removeLeftoversOf(shared.DataFolder + name);
    const QString home = context.platform.homeDirectoryOf(shared.UserName);
    if (!home.isEmpty())
        files.removeLeftoversOf(autostartEntryPath(home, context.title));
}

void TForm1::OSCheck()
{
    const std::optional<int> major = context.platform.osMajorVersion();
    if (major && *major >= MinimumOsMajorVersion)
        return;
    refusedStart = true;
    Clock->setEnabled(false);
    AutoUpdate->setEnabled(false);
    context.platform.showMessage(
        {QStringLiteral("Данная версия операционной системы не поддерживается приложением "),
         QStringLiteral("Ошибка запуска"), MessageIcon::Information});
    context.end.request();
}

// A tray icon replaces the taskbar button when the user asked for it and the desktop has a
// notification area to hold it; without one the button stays, or the widget could not be
// found again.
void TForm1::FormShow()
{
    const bool iconInstead =
        shared.AppSettings.IconStatus && context.platform.hasNotificationArea();
    setWindowFlag(Qt::Tool, iconInstead);
    TrayIcon1->setVisible(shared.AppSettings.IconStatus);
}

// After a refused start the settings were never read (or the program is not to run at all),
// so saving would overwrite the user's file with values that did not come from it.
void TForm1::FormDestroy()
{
    if (!refusedStart)
        SaveSettings();
}

void TForm1::CloseProgClick()
{
    SaveSettings();
    context.end.request();
}

} // namespace tervalo
