// SPDX-License-Identifier: MIT
// Start-up and shutdown of the widget window.
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
    context.platform.files().removeLeftoversOf(shared.DataFolder + SettingsFileName);
    OSCheck();
    InetCheck();
    const FileStore &files = context.platform.files();
    if (files.isFile(shared.DataFolder + SettingsFileName) &&
        files.isFile(shared.DataFolder + TownDirectoryFileName)) {
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

// A tray icon replaces the taskbar button when the user asked for it.
void TForm1::FormShow()
{
    setWindowFlag(Qt::Tool, shared.AppSettings.IconStatus);
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
