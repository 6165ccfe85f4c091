// SPDX-License-Identifier: MIT
#pragma once

#include "settings/AppSettings.h"

#include <QString>

#include <array>

namespace tervalo {

// The program's own version, compared as a text with the latest published one.
inline const QString CurrentVersion = QStringLiteral("2.2");

// The values the program's operations share for the whole run.
struct SharedState {
    QString UserName;
    QString DataFolder;             // ends in "/"
    bool InternetAvailable = false; // the result of the last connection probe
    QString LatestVersion;          // as the program's web site names it; never stored
    TAppSettings AppSettings;
    QString ClockFormat; // the text clock's format, set by the skins; not saved

    // Written by the forecast reading, kept between readings.
    QString FactWeatherType;
    std::array<QString, 6> DayWeatherTypes; // [1] today ... [5] the fifth day; [0] unused
    QString WindDirectionCode;
    QString ObservationTime;
    QString StationName;
    QString LastUpdateTime; // set only by a complete reading
    QString ForecastXml;    // the last body fetched through the HTTP client
};

} // namespace tervalo
