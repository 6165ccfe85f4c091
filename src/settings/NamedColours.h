// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <span>

class QComboBox;

namespace tervalo {

// A colour the colour list offers, as the settings file stores it: 0x00BBGGRR for a colour of
// its own, 0xFF000000 plus the index of a system colour, which the desktop's palette decides.
struct NamedColour {
    const char *name;
    quint32 number;

    int storedNumber() const { return static_cast<int>(number); }
};

// The standard sixteen colours, the four extended ones and the system colours, in the
// order the colour list shows them.
std::span<const NamedColour> namedColours();

// The position of a stored colour number in the list, or -1 when the list does not offer it.
int namedColourIndex(int storedNumber);

// Fills a drop-down list with the named colours, each with its swatch and its name, its item
// data the stored number.
void fillColourList(QComboBox &list);

} // namespace tervalo
