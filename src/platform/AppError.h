// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <stdexcept>

namespace tervalo {

// An error raised by the program with a text meant for the user. Whoever expects the failure
// catches it; anything else reaches the general error report of the event loop.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString &text)
        : std::runtime_error(text.toStdString())
        , userText(text)
    {}

    const QString &text() const { return userText; }

private:
    QString userText;
};

} // namespace tervalo
