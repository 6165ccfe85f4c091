// SPDX-License-Identifier: MIT
// Fetching the forecast, from the XML export or from Open-Meteo, directly or through the
// user's proxy, and the one failure reaction for everything that can go wrong between the
// request and the end of the reading.
#include "forecast/OpenMeteo.h"
#include "forecast/ServiceClient.h"
#include "platform/AppError.h"
#include "shell/Main.h"

namespace tervalo {

namespace {

// The place chosen in the place search, else the place of the town's station.
std::optional<Coordinates> forecastPlace(const TAppSettings &settings)
{
    if (!settings.PlaceLatitude.isEmpty() && !settings.PlaceLongitude.isEmpty())
        return Coordinates{settings.PlaceLatitude, settings.PlaceLongitude};
    return stationCoordinates(settings.CityID);
}

} // namespace

void TForm1::GetWeather()
{
    try {
        const TAppSettings &settings = shared.AppSettings;
        if (settings.ForecastSource == forecast_source::OpenMeteo) {
            const std::optional<Coordinates> place = forecastPlace(settings);
            if (!place)
                throw AppError(
                    QStringLiteral("The place of the town %1 is not known").arg(settings.CityID));
            const QString address = openMeteoAddress(context.service.openMeteoForecast, *place);
            HttpClient client(context.transferLimits(), openMeteoHeaders(context.service));
            if (settings.ProxyUse)
                useTheProxy(client, settings);
            // The translation waits with the download, as the parsing of the export does.
            context.network.run(
                [&] { XMLDocument1.loadFromText(openMeteoDocument(client.get(address).body)); });
        } else if (settings.ProxyUse) {
            const QString address = context.service.forecastAddress(settings.CityID);
            useTheProxy(IdHTTP1, settings);
            // The parsing waits with the download, so a large document does not stop the clock;
            // the body is kept even when it cannot be parsed.
            context.network.run([&] {
                shared.ForecastXml = IdHTTP1.get(address).text();
                XMLDocument1.loadFromText(shared.ForecastXml);
            });
        } else {
            const QString address = context.service.forecastAddress(settings.CityID);
            context.network.run(
                [&] { XMLDocument1.loadFromAddress(address, context.transferLimits()); });
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
