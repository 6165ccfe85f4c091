// SPDX-License-Identifier: MIT
#pragma once

#include "settings/AppSettings.h"

#include <QString>

namespace tervalo {

// The values the program's operations share for the whole run.
struct SharedState {
    QString UserName;
    QString DataFolder; // ends in "/"
    bool InternetAvailable = false;
    TAppSettings AppSettings;
};

} // namespace tervalo
