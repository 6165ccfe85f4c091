// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The weather texts of the forecast documents, as the classifier matches them: whole and
// case-sensitive. The Open-Meteo translation writes the same texts.
namespace tervalo::condition_texts {

inline const QString Clear = QStringLiteral("ясно");
inline const QString VariableCloudiness = QStringLiteral("переменная облачность");
inline const QString CloudyWithClearSpells = QStringLiteral("облачно с прояснениями");
inline const QString FewClouds = QStringLiteral("малооблачно");
inline const QString FewCloudsNoPrecipitation =
    QStringLiteral("малооблачно, без существенных осадков");
inline const QString Cloudy = QStringLiteral("облачно");
inline const QString CloudyRainAtTimes = QStringLiteral("облачно, временами дождь");
inline const QString VariableRainAtTimes = QStringLiteral("переменная облачность, временами дождь");
inline const QString CloudyLightRain = QStringLiteral("облачно, небольшой дождь");
inline const QString VariableRainThunderPossible =
    QStringLiteral("переменная облачность, возможен дождь, гроза");
inline const QString ClearSpellsLightRain =
    QStringLiteral("облачно с прояснениями, небольшой дождь");
inline const QString VariableLightRain = QStringLiteral("переменная облачность, небольшой дождь");
inline const QString CloudyRain = QStringLiteral("облачно, дождь");
inline const QString CloudyRainThunder = QStringLiteral("облачно, дождь, гроза");
inline const QString CloudySleetAtTimes = QStringLiteral("облачно, временами дождь со снегом");
inline const QString LightSleet = QStringLiteral("небольшой дождь со снегом");
inline const QString CloudySnowAtTimes = QStringLiteral("облачно, временами снег");
inline const QString CloudyLightSnow = QStringLiteral("облачно, небольшой снег");
inline const QString ClearSpellsSnowAtTimes =
    QStringLiteral("облачно с прояснениями, временами снег");
inline const QString CloudySnow = QStringLiteral("облачно, снег");

} // namespace tervalo::condition_texts
