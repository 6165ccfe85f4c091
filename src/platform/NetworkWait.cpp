// SPDX-License-Identifier: MIT
#include "platform/NetworkWait.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <atomic>
#include <thread>

namespace tervalo {

void NetworkWait::runOffThread(const std::function<void()> &work)
{
    // Without an event loop to keep, and inside a wait (which runs no network call of its own
    // in practice), the call simply blocks.
    if (!QCoreApplication::instance() || waiting) {
        work();
        return;
    }
    waiting = true;
    QEventLoop loop;
    std::atomic<bool> done = false;
    std::thread helper([&] {
        work();
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // An end of the whole program asked for meanwhile leaves this loop early; the call is
    // still awaited, and the end follows in the main loop.
    while (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    helper.join();
    waiting = false;
    emit over();
}

} // namespace tervalo
