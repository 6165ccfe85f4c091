// SPDX-License-Identifier: MIT
#pragma once

#include "platform/AppError.h"
#include "platform/Platform.h"
#include "platform/ProgramEnding.h"

#include <exception>
#include <utility>

namespace tervalo {

// The text of the general error report: the error's own text with a full stop added when it
// does not end in one.
QString reportText(const QString &errorText);

// The general error report: the one guard around every entry point from the event loop
// (timer ticks, menu items, clicks, the tray). An error that nobody caught is shown in a box
// with the application title as caption, and the program goes on.
class ErrorReport {
public:
    ErrorReport(Platform &platform, QString applicationTitle);

    void show(const QString &errorText);

    // From now on every report is one line on stderr, the title and the text, instead of a
    // box: for an end that may have nobody there to close one (a signal, a logout).
    void reportOnStandardError() { toStandardError = true; }

    // Runs `action`, reporting any error that escapes it. An action cut short because the
    // program is ending reports nothing.
    template <typename Action> void guard(Action &&action) noexcept
    {
        try {
            std::forward<Action>(action)();
        } catch (const ProgramEnding &) {
        } catch (const AppError &error) {
            show(error.text());
        } catch (const std::exception &error) {
            show(QString::fromUtf8(error.what()));
        }
    }

    // Wraps `action` into a slot that runs it under the guard, whatever the signal passes.
    template <typename Action> auto guarded(Action action)
    {
        return [this, action](auto &&...) { guard(action); };
    }

private:
    Platform &platform;
    QString title;
    bool toStandardError = false;
};

} // namespace tervalo
