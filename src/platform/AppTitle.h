// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tervalo {

// The application title: the executable's file name without its folder, cut at its first
// full stop, every character after the first in lower case ("/usr/bin/Tervalo.bin" gives
// "Tervalo"). It captions the error report, the tray tooltip and the autostart entry.
QString applicationTitle(const QString &executablePath);

} // namespace tervalo
