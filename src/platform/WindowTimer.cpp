// SPDX-License-Identifier: MIT
#include "platform/WindowTimer.h"

#include "platform/NetworkWait.h"

#include <QDateTime>

namespace tervalo {

namespace {
// How far past the boundary an aligned tick is scheduled, so it never lands just before it.
constexpr qint64 AlignmentMarginMs = 2;
} // namespace

WindowTimer::WindowTimer(QObject *parent)
    : QObject(parent)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &WindowTimer::onTimeout);
    restart();
}

void WindowTimer::setEnabled(bool value)
{
    if (enabled == value)
        return;
    enabled = value;
    restart();
}

void WindowTimer::setInterval(int milliseconds)
{
    if (intervalMs == milliseconds)
        return;
    intervalMs = milliseconds;
    restart();
}

void WindowTimer::setAlignedToClock(bool aligned)
{
    alignedToClock = aligned;
    timer.setTimerType(aligned ? Qt::PreciseTimer : Qt::CoarseTimer);
    restart();
}

void WindowTimer::holdTicksDuring(const NetworkWait &wait)
{
    heldDuring = &wait;
    connect(&wait, &NetworkWait::over, this, &WindowTimer::releaseHeldTick, Qt::QueuedConnection);
}

void WindowTimer::restart()
{
    tickHeld = false;
    scheduleNextTick();
}

void WindowTimer::scheduleNextTick()
{
    if (!enabled || intervalMs <= 0) {
        timer.stop();
        return;
    }
    qint64 delay = intervalMs;
    if (alignedToClock) {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        delay = intervalMs - now % intervalMs + AlignmentMarginMs;
    }
    timer.start(static_cast<int>(delay));
}

void WindowTimer::onTimeout()
{
    // Schedule the next tick first: a handler that opens a modal box must not stop the timer.
    scheduleNextTick();
    if (heldDuring && heldDuring->inProgress()) {
        tickHeld = true;
        return;
    }
    emit tick();
}

void WindowTimer::releaseHeldTick()
{
    if (!tickHeld || heldDuring->inProgress())
        return;
    tickHeld = false;
    emit tick();
}

} // namespace tervalo
