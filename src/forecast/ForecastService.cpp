// SPDX-License-Identifier: MIT
#include "forecast/ForecastService.h"

namespace tervalo {

ForecastService ForecastService::standard()
{
    ForecastService service;
    service.forecastPrefix = QStringLiteral("http://export.yandex.ru/weather-ng/forecasts/");
    service.probeHost = QStringLiteral("yandex.ru");
    service.siteRoot = QStringLiteral("https://pogoda.yandex.ru/");
    service.programSite = QStringLiteral("http://tervalo.orvek.ru/");
    service.versionDocument = service.programSite + QStringLiteral("xml_version_info.xml");
    return service;
}

} // namespace tervalo
