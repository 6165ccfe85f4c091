// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tervalo {

// Where the forecast comes from, by the number the settings file stores. A file written before
// the choice existed has no such row and keeps the XML export; any number but these two reads
// as the XML export as well.
namespace forecast_source {
// The XML forecast export by station index ("Яндекс.Погода").
inline constexpr int XmlExport = 0;
// Open-Meteo's JSON forecast by the station's coordinates.
inline constexpr int OpenMeteo = 1;
inline constexpr int Count = 2;
} // namespace forecast_source

// The user's settings in memory, one field per section of the settings file. Before the
// first read every field is empty, 0 or false. The town name, the forecast-panel flag and the
// window's place and size are held by the widget's controls; their fields mirror what was
// last read or saved.
struct TAppSettings {
    QString CityID;
    QString CityName;
    bool AddPanel = false;
    bool TempLabel = false;
    QString CityText;
    int UpdateInterval = 0; // tens of minutes
    bool AutoRun = false;
    int FormTop = 0;
    int FormLeft = 0;
    int FormHeight = 0;
    int FormWidth = 0;
    bool ClockMode = false; // true: clock and weather; false: clock only
    bool AutoCheckVer = false;
    int DateFormat = 0;
    bool IconStatus = false; // true: a tray icon instead of a taskbar button
    int PanelsMode = 0;      // skin: 0 classic, 1 digital, 2 minimalistic
    bool ProxyUse = false;
    bool ProxyPublic = false; // the proxy wants Basic credentials
    QString ProxyHost;
    int ProxyPort = 0;
    QString ProxyUser;
    QString ProxyPass; // plain in memory, encoded in the file
    int FontColorForSkin = 0;
    int SizeFontForSkin = 0;
    int ForecastSource = forecast_source::XmlExport; // one of forecast_source
    // The place chosen in the place search, in decimal degrees; both empty: none, and the
    // forecast asks for the place of the town's station.
    QString PlaceLatitude;
    QString PlaceLongitude;

    bool operator==(const TAppSettings &) const = default;
};

} // namespace tervalo
