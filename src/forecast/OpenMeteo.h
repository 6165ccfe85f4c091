// SPDX-License-Identifier: MIT
#pragma once

#include "forecast/StationCoordinates.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace tervalo {

// The condition texts a WMO weather code becomes: the caption of the current weather and the
// text of a forecast day. They differ where the classifier's lists for the two differ.
struct WmoCondition {
    int code;
    QString current;
    QString day;
};

// Every code Open-Meteo sends; docs/open-meteo.md gives the reasons.
extern const std::vector<WmoCondition> WmoConditions;

std::optional<WmoCondition> wmoCondition(int code);

// The forecast's wind direction code ("n", "ne", ... "nw") of a direction in degrees: eight
// sectors of 45°, the northern one from 337.5° up to 22.5°, each border belonging to the
// sector clockwise of it.
QString windDirectionCode(double degrees);
// Whole degrees, a plus sign above zero, as the XML export writes them.
QString temperatureText(double celsius);

// The request for the forecast at a place: the current values and five days from today.
QString openMeteoAddress(const QString &endpoint, const Coordinates &place);

// The JSON object an answer of Open-Meteo's services is; `whose` names the answer in the
// AppError thrown for anything else.
QJsonObject answerObject(const QByteArray &answer, const QString &whose);

// Open-Meteo's answer as a forecast document of the XML export's shape, which the forecast
// reading takes unchanged. Throws AppError when the answer is not a JSON object or lacks
// a current value or a daily series; a day's missing or null value gives an empty text, which
// the widget shows as no data. A temperature, humidity or wind speed outside what the weather
// can take counts as missing.
QString openMeteoDocument(const QByteArray &answer);

} // namespace tervalo
