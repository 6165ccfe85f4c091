// SPDX-License-Identifier: MIT
#pragma once

#include "platform/XmlDocument.h"

namespace tervalo {

// The no-data text of a forecast temperature the document leaves empty.
inline const QString NoData = QStringLiteral("н/д");

// A day part of a forecast day element: the first child from `firstIndex` on whose attribute
// "type" equals `type` exactly. A part before `firstIndex` is never found. Throws AppError
// when the children run out first.
XmlNode findDayPart(const XmlNode &day, const QString &type, int firstIndex);

// A forecast temperature as shown: as the document writes it, or the no-data text.
QString forecastTemperature(const QString &text);

} // namespace tervalo
