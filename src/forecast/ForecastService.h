// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <chrono>

namespace tervalo {

// Where the program's outside services live. The program uses `standard()`; tests construct
// it with loopback addresses.
struct ForecastService {
    // The forecast document of a town is this prefix + the town's identifier + ".xml".
    QString forecastPrefix;
    // The connection probe: a bare TCP connection to the provider's main web host.
    QString probeHost;
    int probePort = 80;
    std::chrono::milliseconds probeTimeout{1000};
    // The service's public site; a town's page is this root followed by the town's name.
    QString siteRoot;
    // The program's own web site, and the document there that names the latest version.
    QString programSite;
    QString versionDocument;

    static ForecastService standard();
};

} // namespace tervalo
