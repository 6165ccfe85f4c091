// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

namespace tervalo {

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

signals:
    void tick();

private:
    void restart();
    void onTimeout();

    QTimer timer;
    bool enabled = true;
    int intervalMs = DesignInterval;
    bool alignedToClock = false;
};

} // namespace tervalo
