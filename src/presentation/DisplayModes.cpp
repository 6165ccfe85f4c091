// SPDX-License-Identifier: MIT
// The display modes: the start-up mode choice, the clock-and-weather and the clock-only faces,
// and the forecast-panel switch.
#include "shell/Main.h"

namespace tervalo {

namespace {
// The window's height with the forecast panel shown and hidden, and its clock-only size.
constexpr int PanelShownHeight = 235;
constexpr int PanelHiddenHeight = 210;
constexpr int ClockOnlyWidth = 500;
constexpr int ClockOnlyHeight = 170;
// The clock-and-weather face's width and the places of the date and the flip cards in it.
constexpr int WeatherWidth = 520;
constexpr int WeatherDateLeft = 16;
constexpr int WeatherHoursLeft = 10;
constexpr int WeatherMinutesLeft = 144;
} // namespace

// The face of the start until its first update has chosen one: the chosen skin's clock alone,
// at the stored place, with the stored town and the date. Like every mode entry it toggles the
// forecast panel's mark once, so a save at any moment from here on keeps the stored panel.
void TForm1::showStartingFace()
{
    ReadSettings();
    DateConvert();
    AddPanelClick();
    layOutClockOnly();
    ChangePanels();
    show();
}

// Reads the settings and enters the face the user chose. Every entry toggles the forecast
// panel once, which turns the negated stored mark back into the panel's saved state. The
// starting face keeps its place and size until the entry lays out its own: at the stored size
// it would show the forecast panel's placeholders for as long as the first update takes.
void TForm1::VerifyMode()
{
    const QPoint place = pos();
    const QSize size = this->size();
    ReadSettings();
    if (isVisible()) {
        move(place);
        resize(size);
    }
    if (shared.AppSettings.ClockMode) {
        try {
            ClockAndWeatherModeOn();
        } catch (const ProgramEnding &) {
            // Ended while the entry waited for the network, before its toggle: without this one
            // the final save would store the panel's mark the wrong way round.
            AddPanelClick();
            throw;
        }
    } else {
        OnlyClockMode();
        ChangePanels();
    }
}

// The clock-and-weather face, when the service can be reached. The update timer is armed with
// its period before the first update, so an update that ends early in an error does not leave
// it ticking every second. A forecast that fails inside this entry has already put the widget
// into the clock-only face; the entry then stops there rather than show the weather controls
// with nothing in them.
void TForm1::ClockAndWeatherModeOn()
{
    InetCheck();
    if (!shared.InternetAvailable) {
        AutoUpdate->setEnabled(false);
        OnlyClockMode();
        ChangePanels();
        return;
    }
    AutoUpdate->setInterval(updatePeriod());
    AutoUpdate->setEnabled(true);
    resize(WeatherWidth, height());
    DateConvert();
    const int fallBacksBefore = clockOnlyEntries;
    WeatherUpdate();
    if (clockOnlyEntries != fallBacksBefore) { // the update fell back: the clock-only face stays
        ChangePanels();
        return;
    }
    EnableUpdateTimer();
    FlickTemp();
    CloudLabel->setToolTip(CloudLabel->text());
    DateLabel->move(WeatherDateLeft, DateLabel->y());
    for (QWidget *weather :
         std::initializer_list<QWidget *>{CityNameLabel, CloudLabel, MainCloud, CurrentClouds,
                                          TommorowDay, ThreeClouds, FourClouds, FifthClouds})
        weather->show();
    Hours->move(WeatherHoursLeft, Hours->y());
    Minutes->move(WeatherMinutesLeft, Minutes->y());
    UpdateClick->setVisible(true);
    UpdateInClock->setVisible(false);
    AddPanel->setEnabled(true);
    AddPanelClick();
    ChangePanels();
}

// The clock-only face. It re-reads the settings, which also puts the window back at its
// stored place and size, the town name back into its label and the stored mark into the
// forecast-panel item, which the toggle then turns back.
void TForm1::OnlyClockMode()
{
    ++clockOnlyEntries;
    AutoUpdate->setEnabled(false);
    ReadSettings();
    DateConvert();
    AddPanelClick();
    layOutClockOnly();
    UpdateClick->setVisible(false);
    UpdateInClock->setVisible(true);
    AddPanel->setEnabled(false);
    clockChanger();
}

// The clock-only layout: the clock and the date in the middle of the background, the weather
// hidden.
void TForm1::layOutClockOnly()
{
    resize(ClockOnlyWidth, ClockOnlyHeight);
    const int backgroundWidth = MainBackground->width();
    DateLabel->move((backgroundWidth - DateLabel->width()) / 2, DateLabel->y());
    for (QWidget *weather : std::initializer_list<QWidget *>{
             TempFlikLabel, TemLabel, WindLabel, WindRumbLabel, HumidityLabel, CityNameLabel,
             CloudLabel, sepLabel, MainCloud, CurrentClouds, TommorowDay, ThreeClouds, FourClouds,
             FifthClouds})
        weather->hide();
    // The flip cards side by side in the middle of the background.
    Hours->move((backgroundWidth - 2 * Hours->width()) / 2, Hours->y());
    Minutes->move((backgroundWidth + Hours->width() - Minutes->width()) / 2, Minutes->y());
}

// Shows or hides the forecast panel; the big picture's hint names what a click on it does.
void TForm1::AddPanelClick()
{
    const bool show = !AddPanel->isChecked();
    resize(width(), show ? PanelShownHeight : PanelHiddenHeight);
    AddPanel->setChecked(show);
    MainCloud->setToolTip(show ? QStringLiteral("Скрыть прогноз")
                               : QStringLiteral("Показать прогноз"));
    for (QWidget *panel : std::initializer_list<QWidget *>{
             AddBackground, CurrentClouds, TomorrowClouds, ThreeClouds, FourClouds, FifthClouds,
             CurrentMax, TomorrowMax, ThreeMax, FourMax, FifthMax})
        panel->setVisible(show);
}

} // namespace tervalo
