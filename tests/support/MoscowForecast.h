// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <array>

namespace tervalo::test {

// What the Moscow forecast of the fixtures (fixtures/27612.xml, and the Open-Meteo answer made
// to match it) shows: the day texts, [1] today to [5] the fifth day, and the ten forecast
// labels, each day's upper then lower temperature.
inline const std::array<QString, 6> MoscowDayConditions = {
    QString(),
    QStringLiteral("облачно, временами снег"),
    QStringLiteral("ясно"),
    QStringLiteral("облачно"),
    QStringLiteral("облачно, дождь"),
    QStringLiteral("облачно с прояснениями"),
};
inline const std::array<QString, 10> MoscowForecastTemperatures = {
    QStringLiteral("-1"), QStringLiteral("-5"), QStringLiteral("+1"), QStringLiteral("-6"),
    QStringLiteral("-2"), QStringLiteral("-6"), QStringLiteral("+2"), QStringLiteral("-1"),
    QStringLiteral("0"),  QStringLiteral("-4"),
};

} // namespace tervalo::test
