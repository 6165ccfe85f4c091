// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpClient.h"
#include "platform/WindowTimer.h"
#include "platform/XmlDocument.h"
#include "shell/AppContext.h"
#include "shell/Controls.h"
#include "shell/FaceShape.h"
#include "shell/MenuItem.h"
#include "shell/TrayIcon.h"

#include <QMenu>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <optional>

namespace tervalo {

// The widget window: the program's main window, which owns every control, the timers, the
// menus and the tray icon. Its operations are defined in the files of the subsystem that owns
// them (settings, presentation, forecast); this file, Main.cpp and WindowHandlers.cpp hold the
// window itself.
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
    void installMissingDataFiles();
    void removeLeftoversOfInterruptedWrites();
    bool lockInstance();
    void endForRestart();
    void CloseProgClick();
    bool startRefused() const { return refusedStart; }
    // The start gave way to an instance that is still running; it leaves without a window.
    bool gaveWayToAnotherInstance() const { return refusedStart && !instanceLock; }

    // Settings file.
    void ReadSettings();
    void SaveSettings();

    // Start with the system.
    void AutoRun();

    // The window's own handlers.
    void FormMouseDown(const QPoint &globalPosition);
    void ModernClockMouseDown(const QPoint &globalPosition) { FormMouseDown(globalPosition); }
    void HoursDblClick();
    void OnTopModeClick();
    void MainCloudClick();
    void OpenInBrowser();
    void TrayIcon1Click();

    // Clock faces, conditions and skins.
    void ClockTimer();
    void TimerModernTimer();
    void clockChanger();
    void CloudConvert();
    void Nigth();
    void ChangePanels();
    void MinimalisticSkinOn();

    // Wind, date and day texts.
    void WindConvert();
    void DateConvert();
    void DayConvert();
    void FlickTemp();

    // Update cycle, version check and display modes.
    void InetCheck();
    void WeatherUpdate();
    void EnableUpdateTimer();
    void AutoUpdateTimer();
    void AutoCheckInetTimer();
    void UpdateClickClick();
    void UpdateInClockClick();
    void CheckVerInf();
    void VerifyMode();
    void showStartingFace();
    void ClockAndWeatherModeOn();
    void OnlyClockMode();
    void AddPanelClick();

    // Forecast download and reading.
    void GetWeather();
    void ReadForecast(const XmlNode &root);

    // Controls, under their design names, in drawing order.
    TImage *AddBackground;
    TImage *MainBackground;
    TLabel *TemLabel;
    TLabel *TempFlikLabel;
    TLabel *WindLabel;
    TLabel *HumidityLabel;
    TLabel *CloudLabel;
    TLabel *WindRumbLabel;
    TLabel *CurrentMax;
    TLabel *CurrentMin;
    TLabel *TomorrowMax;
    TLabel *TomorrowMin;
    TLabel *ThreeMax;
    TLabel *ThreeMin;
    TLabel *FourMax;
    TLabel *FourMin;
    TLabel *FifthMax;
    TLabel *FifthMin;
    TLabel *DateLabel;
    TLabel *CurrentDay;
    TLabel *TommorowDay;
    TLabel *ThreeDay;
    TLabel *FourDay;
    TLabel *FifthDay;
    TLabel *CityNameLabel;
    TImage *Hours;
    TImage *Minutes;
    TImage *CurrentClouds;
    TImage *TomorrowClouds;
    TImage *ThreeClouds;
    TImage *FourClouds;
    TImage *FifthClouds;
    TLabel *ModernClock;
    TImage *MainCloud;
    TLabel *sepLabel;

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
    // What the face paints: the window takes the mouse there only, and snaps by its edges.
    FaceShape *faceShape;
    XmlDocument XMLDocument1;
    HttpClient IdHTTP1;

    void setVisible(bool visible) override;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MenuItem *addItem(QMenu *menu, const char *name, const QString &caption,
                      MenuItem::Handler handler = {});
    void createControls();
    void createMenus();
    void createTimers();
    void dragTo(const QPoint &globalPosition);
    void applyClassicSkin();
    void applyDigitalSkin();
    void showCurrentTime();
    void layOutClockOnly();
    void setLastUpdateTime();
    int updatePeriod() const;

    AppContext &context;
    SharedState &shared;
    bool refusedStart = false;
    // Held from the start to the end of the window, past the final save.
    std::unique_ptr<InstanceLock> instanceLock;
    bool shownOnce = false;
    int clockOnlyEntries = 0; // tells a mode entry that its update fell back to the clock
    // Where the mouse grabbed the window, relative to its top-left corner, while dragging.
    std::optional<QPoint> dragOffset;
    bool releaseEndsDoubleClick = false;
};

} // namespace tervalo
