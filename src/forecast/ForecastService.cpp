// SPDX-License-Identifier: MIT
#include "forecast/ForecastService.h"

#include <QUrl>

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

QString ForecastService::forecastAddress(const QString &townId) const
{
    return forecastPrefix + QString::fromLatin1(QUrl::toPercentEncoding(townId)) +
           QStringLiteral(".xml");
}

} // namespace tervalo
