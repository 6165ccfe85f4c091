// SPDX-License-Identifier: MIT
#include "platform/EndRequest.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimerEvent>

namespace tervalo {

namespace {
const QEvent::Type EndRequestEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
// How often a request made inside a modal box's loop looks again for the main loop.
constexpr int RetryMs = 100;
} // namespace

void EndRequest::request(int exitCode)
{
    if (requested)
        return;
    requested = true;
    requestedExitCode = exitCode;
    QCoreApplication::postEvent(this, new QEvent(EndRequestEvent));
}

int EndRequest::runMainLoop()
{
    mainLoopLevel = QThread::currentThread()->loopLevel() + 1;
    return QCoreApplication::exec();
}

void EndRequest::customEvent(QEvent *event)
{
    if (event->type() == EndRequestEvent)
        honourWhenInMainLoop();
}

void EndRequest::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == retry.timerId())
        honourWhenInMainLoop();
}

void EndRequest::honourWhenInMainLoop()
{
    if (QThread::currentThread()->loopLevel() != mainLoopLevel) {
        retry.start(RetryMs, this);
        return;
    }
    retry.stop();
    QCoreApplication::exit(requestedExitCode);
}

} // namespace tervalo
