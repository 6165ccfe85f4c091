// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPalette>

namespace tervalo {

enum Skin { ClassicSkin = 0, DigitalSkin = 1, MinimalisticSkin = 2 };

// Font sizes are in points at 96 dots per inch: n points are a character height of
// n x 96 / 72 pixels, to the nearest pixel.
int pointsToPixels(int points);

// A colour number as the settings store it: 0x00BBGGRR for a plain colour, or a system
// colour (top byte 0xFF, the low byte its index) taken from the palette.
QColor colourFromNumber(int number, const QPalette &palette);

// WCAG's relative luminance of an opaque colour, and the contrast ratio of two.
double relativeLuminance(const QColor &colour);
double contrastRatio(const QColor &one, const QColor &other);

// The tone of the halo that keeps a text of this colour readable over light and dark desktops
// alike: black or white, whichever contrasts more with it, a little translucent.
QColor haloToneFor(const QColor &text);

// Where the minimalistic skin puts things, from its size step S, the measured widths of the
// date (Wd), the town (Wc) and the condition (Wk) in their new fonts, and the least distance
// between the tops of its two rows at which their texts do not run into each other.
struct MinimalisticLayout {
    int half = 0; // H: S x 0.5, halves to the even neighbour
    int townLeft = 0, townTop = 0;
    int dateLeft = 0, dateTop = 0;
    int clockLeft = 0;
    int conditionLeft = 0, conditionTop = 0;
    int temperatureLeft = 0, temperatureTop = 0;
    int windowWidth = 0, windowHeight = 0;
};

MinimalisticLayout minimalisticLayout(int sizeStep, int dateWidth, int townWidth,
                                      int conditionWidth, bool clockAndWeather, int clockHeight,
                                      int rowDistance);

} // namespace tervalo
