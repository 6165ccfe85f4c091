// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProgramEnding.h"

#include <QObject>

#include <exception>
#include <functional>
#include <optional>
#include <stop_token>
#include <type_traits>
#include <utility>

namespace tervalo {

// Waits for a blocking network call without freezing the window. The call runs on a helper
// thread while this thread's event loop keeps the clock ticking and the windows painted. The
// rest waits as it would behind a blocking call: user input that arrives meanwhile is dropped,
// and timers that hold their ticks during a wait (the update timers) deliver a tick that fell
// due only afterwards, so no part of the update cycle and no user command runs in the middle
// of another. An end of the program is not held back: it stops the call.
class NetworkWait : public QObject {
    Q_OBJECT

public:
    bool inProgress() const { return waiting; }

    // Runs `call` and returns its result, or throws what it threw. What the call writes is
    // read only after it, by the code that waited for it. Once the program is ending, throws
    // ProgramEnding instead, whatever the call did, and starts no call at all.
    template <typename Call> std::invoke_result_t<Call> run(Call &&call);

    // The program ends: the transfer awaited now stops at once and none starts after it.
    void abandon() { ending.request_stop(); }
    bool abandoned() const { return ending.stop_requested(); }
    // Every transfer made inside a wait stops when this is stopped.
    std::stop_token endOfProgram() const { return ending.get_token(); }

signals:
    // A wait is over. Queued connections see it once control is back in an event loop.
    void over();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void runOffThread(const std::function<void()> &work);
    void throwIfAbandoned() const
    {
        if (abandoned())
            throw ProgramEnding();
    }

    bool waiting = false;
    std::stop_source ending;
};

template <typename Call> std::invoke_result_t<Call> NetworkWait::run(Call &&call)
{
    using Result = std::invoke_result_t<Call>;
    throwIfAbandoned();
    std::exception_ptr error;
    if constexpr (std::is_void_v<Result>) {
        runOffThread([&] {
            try {
                call();
            } catch (...) {
                error = std::current_exception();
            }
        });
        throwIfAbandoned();
        if (error)
            std::rethrow_exception(error);
    } else {
        std::optional<Result> result;
        runOffThread([&] {
            try {
                result.emplace(call());
            } catch (...) {
                error = std::current_exception();
            }
        });
        throwIfAbandoned();
        if (error)
            std::rethrow_exception(error);
        return std::move(*result);
    }
}

} // namespace tervalo
