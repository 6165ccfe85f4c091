// SPDX-License-Identifier: MIT
// The weather side's update cycle: the connection probe.
#include "shell/Main.h"

namespace tervalo {

// A bare TCP connection to the provider's web host; it knows nothing of the proxy.
void TForm1::InetCheck()
{
    const ForecastService &service = context.service;
    shared.InternetAvailable =
        context.platform.canConnect(service.probeHost, service.probePort, service.probeTimeout);
}

} // namespace tervalo
