// SPDX-License-Identifier: MIT
// The display modes: the start-up mode choice and the forecast-panel switch.
#include "shell/Main.h"

namespace tervalo {

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
// stored place and size and the town name back into its label.
void TForm1::OnlyClockMode()
{
    AutoUpdate->setEnabled(false);
    ReadSettings();
    AddPanelClick();
    resize(500, 170);
    for (QWidget *weather : std::initializer_list<QWidget *>{
             TempFlikLabel, TemLabel, WindLabel, WindRumbLabel, HumidityLabel, CityNameLabel,
             CloudLabel, sepLabel, MainCloud, CurrentClouds, TommorowDay, ThreeClouds, FourClouds,
             FifthClouds})
        weather->hide();
    UpdateClick->setVisible(false);
    UpdateInClock->setVisible(true);
    AddPanel->setEnabled(false);
}

void TForm1::AddPanelClick()
{
    AddPanel->setChecked(!AddPanel->isChecked());
}

} // namespace tervalo
