// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpClient.h"

#include <QString>

#include <array>
#include <chrono>

namespace tervalo {

// The names a forecast source goes by on screen. The About page's data line is `dataLine`,
// a space, and a link reading `linkText` to the source's site (ForecastService::siteOf); it is
// also the attribution Open-Meteo's licence asks for.
struct ForecastSourceTexts {
    QString name; // in the source drop-down
    QString dataLine;
    QString linkText;
};

// Indexed by the source's number (forecast_source in settings/AppSettings.h): the drop-down
// lists them in this order.
extern const std::array<ForecastSourceTexts, 2> ForecastSourceNames;

// The texts of a source; an unknown number is the XML export's, as everywhere else.
const ForecastSourceTexts &forecastSourceTexts(int source);

// A host the connection probe opens a bare TCP connection to.
struct ProbeTarget {
    QString host;
    int port = 80;

    bool operator==(const ProbeTarget &) const = default;
};

// Where the program's outside services live. The program uses `standard()`; tests construct
// it with loopback addresses.
struct ForecastService {
    // The XML export: the forecast document of a town is this prefix + the town's identifier
    // + ".xml".
    QString forecastPrefix;
    // How long and how much the program waits for and accepts from the services.
    TransferLimits limits;
    // The connection probe of the XML export: a bare TCP connection to the provider's main
    // web host.
    QString probeHost;
    int probePort = 80;
    std::chrono::milliseconds probeTimeout{1000};
    // The XML export's public site; a town's page is this root followed by the town's name.
    QString siteRoot;

    // Open-Meteo: the forecast endpoint, the host its probe goes to and its public site, which
    // has no page per town.
    QString openMeteoForecast;
    ProbeTarget openMeteoProbe;
    QString openMeteoSite;
    // Open-Meteo's place search by name (GeoNames' places, worldwide); needs no key.
    QString placeSearch;

    // The program's own web site, and the document there that names the latest version.
    QString programSite;
    QString versionDocument;

    static ForecastService standard();

    // The address of a town's forecast document. The identifier is digits in practice; any
    // character a path may not carry is percent-encoded.
    QString forecastAddress(const QString &townId) const;

    // What follows the chosen source (a number of forecast_source).
    ProbeTarget probeOf(int source) const;
    QString siteOf(int source) const;
    // The page a click on a forecast picture opens: the town's page where the source has one,
    // else its site.
    QString townPageOf(int source, const QString &townName) const;
};

} // namespace tervalo
