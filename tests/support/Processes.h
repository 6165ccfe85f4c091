// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>

#include <csignal>

namespace tervalo::test {

// Ends a helper process by its process id: politely first, then for good.
inline void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace tervalo::test
