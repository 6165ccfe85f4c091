// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <vector>

namespace tervalo::test {

// Polls `condition` until it holds or `milliseconds` have passed; whether it held.
template <typename Condition> bool waitFor(Condition condition, int milliseconds = 10000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() >= milliseconds)
            return false;
        QThread::msleep(20);
    }
    return true;
}

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

// The processes running `executable` on the X display `display` (":N"), by their process ids.
inline std::vector<qint64> processesOn(const QString &display, const QString &executable)
{
    std::vector<qint64> found;
    const QByteArray displayEntry = "DISPLAY=" + display.toLocal8Bit();
    const QString running = QFileInfo(executable).canonicalFilePath();
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isProcess = false;
        const qint64 pid = entry.toLongLong(&isProcess);
        if (!isProcess ||
            QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() != running)
            continue;
        QFile environment(QStringLiteral("/proc/%1/environ").arg(pid));
        if (environment.open(QIODevice::ReadOnly) &&
            environment.readAll().split('\0').contains(displayEntry))
            found.push_back(pid);
    }
    return found;
}

} // namespace tervalo::test
