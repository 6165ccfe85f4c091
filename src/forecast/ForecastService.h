// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpClient.h"

#include <QString>

#include <chrono>

namespace tervalo {

// Where the program's outside services live. The program uses `standard()`; tests construct
// it with loopback addresses.
struct ForecastService {
    // The forecast document of a town is this prefix + the town's identifier + ".xml".
    QString forecastPrefix;
    // How long and how much the program waits for and accepts from the services.
    TransferLimits limits;
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

    // The address of a town's forecast document. The identifier is digits in practice; any
    // character a path may not carry is percent-encoded.
    QString forecastAddress(const QString &townId) const;
};

} // namespace tervalo
