// SPDX-License-Identifier: MIT
// Fetching the forecast document, directly or through the user's proxy, and the one failure
// reaction for everything that can go wrong between the request and the end of the reading.
#include "shell/Main.h"

namespace tervalo {

void TForm1::GetWeather()
{
    try {
        const TAppSettings &settings = shared.AppSettings;
        const QString address = context.service.forecastAddress(settings.CityID);
        if (settings.ProxyUse) {
            IdHTTP1.setProxy(settings.ProxyHost, settings.ProxyPort);
            IdHTTP1.setBasicProxyAuthentication(settings.ProxyPublic);
            if (settings.ProxyPublic)
                IdHTTP1.setProxyCredentials(settings.ProxyUser, settings.ProxyPass);
            // The parsing waits with the download, so a large document does not stop the clock;
            // the body is kept even when it cannot be parsed.
            context.network.run([&] {
                shared.ForecastXml = IdHTTP1.get(address).text();
                XMLDocument1.loadFromText(shared.ForecastXml);
            });
        } else {
            context.network.run(
                [&] { XMLDocument1.loadFromAddress(address, context.service.limits); });
        }
        XMLDocument1.setActive(true);
        ReadForecast(XMLDocument1.documentElement());
        XMLDocument1.setActive(false);
        setLastUpdateTime();
    } catch (const std::exception &) {
        AutoUpdate->setEnabled(false);
        context.platform.showMessage({QStringLiteral("Невозможно получить прогноз."),
                                      QStringLiteral("Confirm"), MessageIcon::Question});
        OnlyClockMode();
    }
}

} // namespace tervalo
