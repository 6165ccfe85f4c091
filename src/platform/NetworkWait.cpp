// SPDX-License-Identifier: MIT
#include "platform/NetworkWait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

#include <atomic>
#include <thread>

namespace tervalo {

namespace {

// The input that would start something: a press, a key, a wheel turn, typed text. Releases
// and moves still pass, so a drag begun before the wait ends when the button is let go.
bool startsACommand(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        return true;
    default:
        return false;
    }
}

} // namespace

bool NetworkWait::eventFilter(QObject *watched, QEvent *event)
{
    if (waiting && startsACommand(event->type()))
        return true;
    return QObject::eventFilter(watched, event);
}

void NetworkWait::runOffThread(const std::function<void()> &work)
{
    // Without an event loop to keep, and inside a wait (which runs no network call of its own
    // in practice), the call simply blocks.
    QCoreApplication *application = QCoreApplication::instance();
    if (!application || waiting) {
        work();
        return;
    }
    waiting = true;
    application->installEventFilter(this);
    QEventLoop loop;
    std::atomic<bool> done = false;
    std::thread helper([&] {
        work();
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    // The loop returns early only when the whole program ends, which quits every loop: the
    // call is stopped then rather than awaited.
    if (!done)
        abandon();
    helper.join();
    application->removeEventFilter(this);
    waiting = false;
    emit over();
}

} // namespace tervalo
