// SPDX-License-Identifier: MIT
// The display modes: the start-up mode choice, the clock-only face and the forecast-panel
// switch.
#include "shell/Main.h"

namespace tervalo {

namespace {
// The window's height with the forecast panel shown and hidden, and its clock-only size.
constexpr int PanelShownHeight = 235;
constexpr int PanelHiddenHeight = 210;
constexpr int ClockOnlyWidth = 500;
constexpr int ClockOnlyHeight = 170;
} // namespace

// Reads the settings and enters the saved face. Every entry toggles the forecast panel once,
// which turns the negated stored mark back into the panel's saved state, and ends with the
// skin.
void TForm1::VerifyMode()
{
    ReadSettings();
    AddPanel->run();
    ChangePanels();
}

// The clock-only face. It re-reads the settings, which also puts the window back at its
// stored place and size, the town name back into its label and the stored mark into the
// forecast-panel item, which the toggle then turns back.
void TForm1::OnlyClockMode()
{
    AutoUpdate->setEnabled(false);
    ReadSettings();
    DateConvert();
    AddPanelClick();
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
    UpdateClick->setVisible(false);
    UpdateInClock->setVisible(true);
    AddPanel->setEnabled(false);
    clockChanger();
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
