// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tervalo {

// Turns SIGTERM, SIGINT and SIGHUP, and the end of the desktop session, into an orderly end
// on the event loop's thread, as if the main window had been closed: the windows are
// destroyed in order and the settings saved on the way. Signals arrive through a pipe, since
// nothing but writing a byte is safe inside a signal handler. The signals are the process's:
// while one OrderlyEnd is installed, another one made meanwhile takes none of them.
class OrderlyEnd : public QObject {
public:
    explicit OrderlyEnd(std::function<void()> endProgram);
    ~OrderlyEnd() override;

private:
    std::function<void()> endProgram;
    QSocketNotifier *notifier = nullptr;
};

} // namespace tervalo
