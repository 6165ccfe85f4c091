// SPDX-License-Identifier: MIT
#include "presentation/TextFit.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <cmath>

namespace tervalo {

namespace {

int widthOf(const QString &text, const QFont &font)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

// Fonts given in points are stepped down in the pixels they come out at.
int pixelSizeOf(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

QFont withPixelSize(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
}

} // namespace

int smallestFittedPixelSize(int pixelSize)
{
    return std::max(1, static_cast<int>(std::lround(pixelSize * 0.7)));
}

FittedText fitText(const QString &text, const QFont &font, int room)
{
    const int wholeWidth = widthOf(text, font);
    if (wholeWidth <= room)
        return {text, font, wholeWidth, true};
    const int size = pixelSizeOf(font);
    const int smallest = smallestFittedPixelSize(size);
    for (int pixels = size - 1; pixels >= smallest; --pixels) {
        const QFont smaller = withPixelSize(font, pixels);
        const int width = widthOf(text, smaller);
        if (width <= room)
            return {text, smaller, width, true};
    }
    const QFont smaller = withPixelSize(font, smallest);
    const QString cut = QFontMetrics(smaller).elidedText(text, Qt::ElideRight, std::max(0, room));
    return {cut, smaller, widthOf(cut, smaller), false};
}

} // namespace tervalo
