// SPDX-License-Identifier: MIT
// The restart that lets the settings of Apply take effect.
#include "settings/Settings.h"

namespace tervalo {

// Starts the program once more; the new instance waits for this one to end before it reads the
// settings. Nothing needs raised rights here, and whether the start worked is not examined.
void TForm2::UACControl()
{
    context.platform.startDetached(context.platform.executablePath());
}

} // namespace tervalo
