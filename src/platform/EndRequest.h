// SPDX-License-Identifier: MIT
#pragma once

#include <QBasicTimer>
#include <QObject>

namespace tervalo {

// A request to end the program. It is honoured when control next returns to the main event
// loop: the handler that made it, and whatever its callers do afterwards, still run to their
// end, and a modal box shown after the request (in its own loop) still waits for the user.
class EndRequest : public QObject {
public:
    // The main loop returns `exitCode`: non-zero tells whoever started the program that it did
    // not run.
    void request(int exitCode = 0);
    bool isRequested() const { return requested; }

    // Runs the application's main event loop; returns its exit code.
    int runMainLoop();

protected:
    void customEvent(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void honourWhenInMainLoop();

    bool requested = false;
    int requestedExitCode = 0;
    int mainLoopLevel = -1;
    QBasicTimer retry;
};

} // namespace tervalo
