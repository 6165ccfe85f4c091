// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace tervalo {

// The town box's entry for a town of the directory: "town, group - id".
QString townEntry(const QString &town, const QString &group, const QString &id);

// True for a typed character the town box refuses: Enter, the digits and most ASCII
// punctuation, and the superscript one. Letters, the space, the apostrophe, the hyphen and
// everything else pass.
bool townBoxSwallows(char32_t code);

// The two values cut from a town box text at Apply.
struct TownEntryParts {
    QString cityId;
    QString cityName;
};
// The identifier is what follows the first "- " (without one, all but the first character);
// the name is what precedes the first ", " (without one, nothing).
TownEntryParts cutTownEntry(const QString &boxText);

// True when the text holds none of the ASCII digits "0" to "9"; other scripts' digits do not
// count.
bool HasNoDigit(const QString &text);

} // namespace tervalo
