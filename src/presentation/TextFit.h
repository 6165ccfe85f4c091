// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QString>

#include <limits>

namespace tervalo {

// The width a label may take when nothing limits it.
constexpr int UnlimitedRoom = std::numeric_limits<int>::max();

// How a text is shown in a room of a given width.
struct FittedText {
    QString shown; // the text as drawn: the whole text, or its start and "…"
    QFont font;    // the font it is drawn in
    int width = 0; // of the shown text in that font, in pixels
    bool whole = true;
};

// A text that fits its room keeps its font. One that does not is drawn in the largest smaller
// pixel size it fits in, down to about 70 % of the font's size; at that size, a text that still
// does not fit ends in "…".
FittedText fitText(const QString &text, const QFont &font, int room);

// The smallest pixel size fitText steps down to from a font of the given pixel size.
int smallestFittedPixelSize(int pixelSize);

} // namespace tervalo
