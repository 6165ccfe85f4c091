// SPDX-License-Identifier: MIT
// The weather side's update cycle: the connection probe, one weather update, the periodic
// update timer and the return from the clock-only fall-back.
#include "presentation/Skins.h"
#include "shell/Main.h"

namespace tervalo {

namespace {

// The update period counts tens of minutes.
constexpr int MillisecondsPerPeriodStep = 600000;
const QString NewVersionNotice = QStringLiteral("Появилась новая версия приложения");

} // namespace

int TForm1::updatePeriod() const
{
    return shared.AppSettings.UpdateInterval * MillisecondsPerPeriodStep;
}

// A bare TCP connection to the chosen source's host; it knows nothing of the proxy.
void TForm1::InetCheck()
{
    const ForecastService &service = context.service;
    const ProbeTarget target = service.probeOf(shared.AppSettings.ForecastSource);
    shared.InternetAvailable = context.network.run([&] {
        return context.platform.canConnect(target.host, target.port, service.probeTimeout,
                                           context.network.endOfProgram());
    });
}

// One complete update. Without a connection the widget falls back to the clock. A failed
// version check ends the update with its error; a failed forecast does not: the rest runs on
// what the labels hold and the timer is armed again.
void TForm1::WeatherUpdate()
{
    InetCheck();
    if (!shared.InternetAvailable) {
        OnlyClockMode();
        return;
    }
    const bool checkVersion = shared.AppSettings.AutoCheckVer;
    if (checkVersion)
        CheckVerInf();
    GetWeather();
    try {
        CloudConvert();
    } catch (const std::exception &) {
        // A picture that cannot be shown does not stop the update.
    }
    WindConvert();
    DayConvert();
    TrayIcon1->setBalloonText(TemLabel->text() + QStringLiteral(", ") + CloudLabel->text());
    if (checkVersion && shared.LatestVersion != CurrentVersion) {
        TrayIcon1->setBalloonText(NewVersionNotice);
        TrayIcon1->setVisible(true);
        TrayIcon1->showBalloon();
    }
    DateConvert();
    EnableUpdateTimer();
}

void TForm1::EnableUpdateTimer()
{
    AutoUpdate->setEnabled(true);
    AutoUpdate->setInterval(updatePeriod());
}

void TForm1::AutoUpdateTimer()
{
    WeatherUpdate();
    ChangePanels();
}

void TForm1::UpdateClickClick()
{
    WeatherUpdate();
    ChangePanels();
}

// Ticks every period; while the widget waits for the connection it tries to return.
void TForm1::AutoCheckInetTimer()
{
    AutoCheckInet->setEnabled(true);
    AutoCheckInet->setInterval(updatePeriod());
    if (shared.AppSettings.ClockMode && !AutoUpdate->isEnabled())
        UpdateInClock->run();
}

void TForm1::UpdateInClockClick()
{
    DateConvert();
    InetCheck();
    if (shared.InternetAvailable)
        ClockAndWeatherModeOn();
    ChangePanels();
}

} // namespace tervalo
