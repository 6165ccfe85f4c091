// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

namespace tervalo {

class NetworkWait;

// A window timer: setting the enabled state or the interval to the value it already has
// changes nothing, changing either restarts the countdown from zero, and a disabled timer or
// one with interval 0 never ticks. Ticks come from whichever event loop runs, the main loop
// or a modal box's. A timer aligned to the clock ticks just after each multiple of its
// interval in wall-clock time, so a clock driven by it never lags the second.
class WindowTimer : public QObject {
    Q_OBJECT

public:
    static constexpr int DesignInterval = 1000;

    explicit WindowTimer(QObject *parent = nullptr);

    bool isEnabled() const { return enabled; }
    void setEnabled(bool enabled);
    int interval() const { return intervalMs; }
    void setInterval(int milliseconds);
    void setAlignedToClock(bool aligned);
    // A tick that falls due while a network call is awaited is held until the wait is over,
    // as it would be behind a blocking call; a restart of the countdown drops it.
    void holdTicksDuring(const NetworkWait &wait);

signals:
    void tick();

private:
    void restart();
    void scheduleNextTick();
    void onTimeout();
    void releaseHeldTick();

    QTimer timer;
    bool enabled = true;
    int intervalMs = DesignInterval;
    bool alignedToClock = false;
    const NetworkWait *heldDuring = nullptr;
    bool tickHeld = false;
};

} // namespace tervalo
