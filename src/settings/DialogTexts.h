// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tervalo {

// The texts and choices of the settings dialog that follow from its controls' values.

// The preview picture of a skin (0 classic, 1 digital, 2 minimalistic) with a content (0 clock
// and weather, 1 clock only), in lower case as it is asked for; empty for a choice outside
// those ranges.
QString previewPictureName(int skin, int content);

// The text beside the update period slider; the position counts tens of minutes.
QString updateIntervalText(int position);

// The caption of the size slider of the minimalistic skin.
QString skinSizeText(int position);

// Where and when the last forecast was observed; "н/д" stands for a value not known yet.
QString receivedText(const QString &station, const QString &observationTime);

// The integer a text spells: optional leading blanks, an optional sign and decimal digits,
// within 32 bits. Anything else throws AppError "'<text>' is not a valid integer value".
int integerValueOf(const QString &text);

} // namespace tervalo
