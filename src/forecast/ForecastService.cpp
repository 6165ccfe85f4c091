// SPDX-License-Identifier: MIT
#include "forecast/ForecastService.h"

#include "settings/AppSettings.h"

#include <QUrl>

namespace tervalo {

const std::array<ForecastSourceTexts, 2> ForecastSourceNames = {{
    {QStringLiteral("Яндекс.Погода"),
     QStringLiteral("Данные продоставлены оператором FORECA с помощью сервиса"),
     QStringLiteral("Яндекс.Погода")},
    {QStringLiteral("Open-Meteo"), QStringLiteral("Данные предоставлены сервисом"),
     QStringLiteral("Open-Meteo.com")},
}};

namespace {

bool isOpenMeteo(int source)
{
    return source == forecast_source::OpenMeteo;
}

} // namespace

const ForecastSourceTexts &forecastSourceTexts(int source)
{
    return ForecastSourceNames[isOpenMeteo(source) ? forecast_source::OpenMeteo
                                                   : forecast_source::XmlExport];
}

ForecastService ForecastService::standard()
{
    ForecastService service;
    service.forecastPrefix = QStringLiteral("http://export.yandex.ru/weather-ng/forecasts/");
    service.probeHost = QStringLiteral("yandex.ru");
    service.siteRoot = QStringLiteral("https://pogoda.yandex.ru/");
    service.openMeteoForecast = QStringLiteral("https://api.open-meteo.com/v1/forecast");
    service.openMeteoProbe = {QStringLiteral("api.open-meteo.com"), 443};
    service.openMeteoSite = QStringLiteral("https://open-meteo.com/");
    service.placeSearch = QStringLiteral("https://geocoding-api.open-meteo.com/v1/search");
    service.programSite = QStringLiteral("http://tervalo.orvek.ru/");
    service.versionDocument = service.programSite + QStringLiteral("xml_version_info.xml");
    return service;
}

QString ForecastService::forecastAddress(const QString &townId) const
{
    return forecastPrefix + QString::fromLatin1(QUrl::toPercentEncoding(townId)) +
           QStringLiteral(".xml");
}

ProbeTarget ForecastService::probeOf(int source) const
{
    return isOpenMeteo(source) ? openMeteoProbe : ProbeTarget{probeHost, probePort};
}

QString ForecastService::siteOf(int source) const
{
    return isOpenMeteo(source) ? openMeteoSite : siteRoot;
}

QString ForecastService::townPageOf(int source, const QString &townName) const
{
    return isOpenMeteo(source) ? openMeteoSite : siteRoot + townName;
}

} // namespace tervalo
