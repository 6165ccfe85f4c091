// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace tervalo {

// How settings values are spelled in the settings file. Integers are signed decimal; on
// reading, a text longer than two characters that begins with "0x" (any case) is hexadecimal
// and wraps to 32 bits, as colour numbers are written. Flags are "1" and "0"; any integer
// other than 0 reads as true. An empty or malformed value reads as nothing, and the setting
// then keeps its current value.
namespace ini_values {

std::optional<int> parseInteger(const QString &text);
std::optional<bool> parseFlag(const QString &text);
QString formatInteger(int value);
QString formatFlag(bool value);

} // namespace ini_values
} // namespace tervalo
