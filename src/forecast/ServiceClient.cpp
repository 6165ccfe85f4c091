// SPDX-License-Identifier: MIT
#include "forecast/ServiceClient.h"

#include "shell/SharedState.h"

namespace tervalo {

ClientHeaders openMeteoHeaders(const ForecastService &service)
{
    return {"Tervalo/" + CurrentVersion.toUtf8() + " (+" + service.programSite.toUtf8() + ')',
            "application/json"};
}

void useTheProxy(HttpClient &client, const TAppSettings &settings)
{
    client.setProxy(settings.ProxyHost, settings.ProxyPort);
    client.setBasicProxyAuthentication(settings.ProxyPublic);
    if (settings.ProxyPublic)
        client.setProxyCredentials(settings.ProxyUser, settings.ProxyPass);
}

} // namespace tervalo
