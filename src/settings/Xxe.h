// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tervalo {

// The stored proxy password: uuencode with the XXE alphabet and "+" as the fill character.
// A password becomes bytes one UTF-16 unit at a time; units above U+00FF become "?".
//
// One INI value holds one encoded line, which carries at most 63 bytes, so a longer password
// is cut to its first 63 characters (the settings dialog accepts no more than that).
namespace xxe {

constexpr qsizetype MaxLineBytes = 63;

QString encode(const QString &password);
QString decode(const QString &stored);

} // namespace xxe
} // namespace tervalo
