// SPDX-License-Identifier: MIT
// The display modes: the start-up mode choice and the forecast-panel switch.
#include "shell/Main.h"

namespace tervalo {

// Reads the settings and enters the saved face. Every entry toggles the forecast panel once,
// which turns the negated stored mark back into the panel's saved state.
void TForm1::VerifyMode()
{
    ReadSettings();
    AddPanel->run();
}

void TForm1::AddPanelClick()
{
    AddPanel->setChecked(!AddPanel->isChecked());
}

} // namespace tervalo
