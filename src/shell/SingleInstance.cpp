// SPDX-License-Identifier: MIT
// One running instance per account.
#include "settings/DataFiles.h"
#include "shell/Main.h"

#include <chrono>
#include <cstdio>

namespace tervalo {

namespace {

// The settings dialog's Apply starts the new instance before the old one has saved its
// settings and ended; that takes well under a second.
constexpr std::chrono::seconds OlderInstanceWait{5};
// What the refused start returns to whoever started it.
constexpr int AnotherInstanceExitCode = 1;

} // namespace

// The new instance waits for the old one to end, so that it reads the settings the old one saved
// on its way out. An instance still running after the wait keeps the data folder to itself:
// this start is refused before anything there is read or written, and nobody may be there to
// close a box, so the refusal is told on stderr.
bool TForm1::lockInstance()
{
    instanceLock =
        context.platform.lockInstance(shared.DataFolder + InstanceLockFileName, OlderInstanceWait);
    if (instanceLock)
        return true;
    refusedStart = true;
    AutoUpdate->setEnabled(false);
    AutoCheckInet->setEnabled(false);
    std::fprintf(stderr, "%s: another instance of the program is running.\n",
                 qPrintable(context.title));
    context.end.request(AnotherInstanceExitCode);
    return false;
}

} // namespace tervalo
