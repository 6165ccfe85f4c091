// SPDX-License-Identifier: MIT
// One running instance per account.
#include "forecast/ForecastService.h"
#include "settings/DataFiles.h"
#include "shell/Main.h"

#include <chrono>
#include <cstdio>

namespace tervalo {

namespace {

// The settings dialog's Apply starts the new instance before the old one has saved its
// settings and ended, which takes well under a second; a copy started by hand while one keeps
// running is refused after this wait.
constexpr std::chrono::seconds RunningInstanceWait{5};
// Past its save, the instance that Apply ends does nothing but end, yet may be held up to one
// network transfer and a probe before it can (a wait that was under way), and by a slow save.
constexpr std::chrono::seconds EndingMargin{15};
// What the refused start returns to whoever started it.
constexpr int AnotherInstanceExitCode = 1;

} // namespace

// The new instance waits for the old one to end, so that it reads the settings the old one saved
// on its way out. An instance still running after the wait keeps the data folder to itself:
// this start is refused before anything there is read or written, and nobody may be there to
// close a box, so the refusal is told on stderr.
bool TForm1::lockInstance()
{
    const ForecastService &service = context.service;
    const InstanceWait wait{RunningInstanceWait,
                            service.limits.transferTimeout + service.probeTimeout + EndingMargin};
    instanceLock = context.platform.lockInstance(shared.DataFolder + InstanceLockFileName, wait);
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

// The end of Apply, whose new instance waits for this one: from here on this instance only
// ends. The update timers stop, which also drops a tick held over Apply's own update, and no
// transfer starts any more; an error on the way out (the final save) is told on stderr, as a
// box would hold the end; and the lock tells the new instance to wait for this one longer than
// for a copy that keeps running.
void TForm1::endForRestart()
{
    AutoUpdate->setEnabled(false);
    AutoCheckInet->setEnabled(false);
    context.network.abandon();
    context.errors.reportOnStandardError();
    if (instanceLock)
        instanceLock->markEnding();
    close();
}

} // namespace tervalo
