// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <optional>

namespace tervalo {

// Weekday names indexed 1 (Sunday) to 7 (Saturday); index 0 is unused.
extern const std::array<QString, 8> WeekdayNames;
// Month names in the genitive case ("1 января"), indexed 1 to 12; index 0 is unused.
extern const std::array<QString, 13> GenitiveMonthNames;

// The wind direction as shown after the wind speed, with its leading space: " юз" for "sw",
// a lone space for no code. A code outside the table (upper case included) gives nothing.
std::optional<QString> windText(const QString &directionCode);

// The date line in one of the four formats; a format outside 0..3 gives nothing.
//   0 "среда, 1 января " (with the trailing space)   1 "среда, 1 января 2014"
//   2 "1 января 2014"                                3 "1.1.2014"
std::optional<QString> dateText(int format, const QDate &date);

// The weekday name of a date.
QString weekdayName(const QDate &date);

} // namespace tervalo
