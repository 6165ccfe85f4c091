// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QTime>

namespace tervalo {

// The text clock's formats: hours and minutes with the weather, seconds too without it.
inline const QString HoursMinutes = QStringLiteral("hh:nn");
inline const QString HoursMinutesSeconds = QStringLiteral("hh:nn:ss");

// The flip card of a number: "clock" and the number without a leading zero ("clock5").
QString cardName(int number);

// The time in a clock format: "hh" hours 00-23, "nn" minutes, "ss" seconds, ":" the time
// separator of the user's regional settings; any other character stands for itself.
QString formatClock(const QString &format, const QTime &time, const QString &separator);

// The time separator of the user's regional settings.
QString timeSeparator();

} // namespace tervalo
