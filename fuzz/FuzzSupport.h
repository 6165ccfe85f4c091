// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace tervalo::fuzz {

// The application object the widgets need, on the offscreen platform with the program's fonts;
// made once, in LLVMFuzzerInitialize, and never destroyed: at exit, Qt's own statics may be gone
// before it.
void startWidgets();

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// A broken property: says which and aborts, so that libFuzzer keeps the input as a crash.
[[noreturn]] void fail(const char *property, const QString &detail = {});

inline void check(bool holds, const char *property, const QString &detail = {})
{
    if (!holds)
        fail(property, detail);
}

} // namespace tervalo::fuzz
