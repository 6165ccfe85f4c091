// SPDX-License-Identifier: MIT
#include "platform/OrderlyEnd.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tervalo {

namespace {

int signalPipe[2] = {-1, -1};
const OrderlyEnd *installed = nullptr;
constexpr int EndSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onEndSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

void setHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : EndSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

OrderlyEnd::OrderlyEnd(std::function<void()> endProgram)
    : endProgram(std::move(endProgram))
{
    if (installed || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    installed = this;
    notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        this->endProgram();
    });
    setHandler(onEndSignal);
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this] { this->endProgram(); });
}

OrderlyEnd::~OrderlyEnd()
{
    if (installed != this)
        return;
    installed = nullptr;
    setHandler(SIG_DFL);
    delete notifier;
    for (int &fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace tervalo
