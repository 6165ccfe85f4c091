// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpClient.h"
#include "platform/WindowTimer.h"
#include "platform/XmlDocument.h"
#include "shell/AppContext.h"
#include "shell/MenuItem.h"
#include "shell/TrayIcon.h"

#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace tervalo {

// The widget window: the program's main window, which owns every control, the timers, the
// menus and the tray icon. Its operations are defined in the files of the subsystem that owns
// them (settings, presentation, forecast); this file and Main.cpp hold the window itself.
class TForm1 : public QWidget {
public:
    static constexpr int DesignWidth = 679;
    static constexpr int DesignHeight = 304;

    explicit TForm1(AppContext &context);
    ~TForm1() override;

    // Start-up and shutdown.
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void OSCheck();
    void CloseProgClick();
    bool startRefused() const { return refusedStart; }

    // Settings file.
    void ReadSettings();
    void SaveSettings();

    // Update cycle and display modes.
    void InetCheck();
    void VerifyMode();
    void OnlyClockMode();
    void AddPanelClick();

    // Forecast download and reading.
    void GetWeather();
    void ReadForecast(const XmlNode &root);

    // Controls, under their design names.
    QLabel *TemLabel;
    QLabel *WindLabel;
    QLabel *HumidityLabel;
    QLabel *CurrentMax;
    QLabel *CurrentMin;
    QLabel *TomorrowMax;
    QLabel *TomorrowMin;
    QLabel *ThreeMax;
    QLabel *ThreeMin;
    QLabel *FourMax;
    QLabel *FourMin;
    QLabel *FifthMax;
    QLabel *FifthMin;
    QLabel *CityNameLabel;
    QMenu *PopupMenu1;
    MenuItem *UpdateClick;
    MenuItem *UpdateInClock;
    MenuItem *OnTopMode;
    MenuItem *AddPanel;
    MenuItem *N1;
    MenuItem *MenuSetttings;
    MenuItem *CloseProg;
    QMenu *PopupMenu2;
    MenuItem *N3;
    MenuItem *N4;
    MenuItem *N2;
    WindowTimer *Clock;
    WindowTimer *AutoUpdate;
    WindowTimer *TimerModern;
    WindowTimer *AutoCheckInet;
    TrayIcon *TrayIcon1;
    XmlDocument XMLDocument1;
    HttpClient IdHTTP1;

    void setVisible(bool visible) override;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    MenuItem *addItem(QMenu *menu, const char *name, const QString &caption,
                      MenuItem::Handler handler = {});
    void createControls();
    QLabel *addLabel(const char *name, const QString &text, QRect geometry);
    void setLastUpdateTime();
    void createMenus();
    void createTimers();

    AppContext &context;
    SharedState &shared;
    bool refusedStart = false;
    bool shownOnce = false;
};

} // namespace tervalo
