// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

#include <exception>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace tervalo {

// Waits for a blocking network call without freezing the window. The call runs on a helper
// thread while this thread's event loop keeps the clock ticking and the windows painted. The
// rest waits as it would behind a blocking call: the user's input and the socket notifiers
// (end signals among them) are served after the call, and timers that hold their ticks during
// a wait (the update timers) deliver a tick that fell due only afterwards, so no part of the
// update cycle and no user command runs in the middle of another.
class NetworkWait : public QObject {
    Q_OBJECT

public:
    bool inProgress() const { return waiting; }

    // Runs `call` and returns its result, or throws what it threw. What the call writes is
    // read only after it, by the code that waited for it.
    template <typename Call> std::invoke_result_t<Call> run(Call &&call);

signals:
    // A wait is over. Queued connections see it once control is back in an event loop.
    void over();

private:
    void runOffThread(const std::function<void()> &work);

    bool waiting = false;
};

template <typename Call> std::invoke_result_t<Call> NetworkWait::run(Call &&call)
{
    using Result = std::invoke_result_t<Call>;
    std::exception_ptr error;
    if constexpr (std::is_void_v<Result>) {
        runOffThread([&] {
            try {
                call();
            } catch (...) {
                error = std::current_exception();
            }
        });
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
        if (error)
            std::rethrow_exception(error);
        return std::move(*result);
    }
}

} // namespace tervalo
