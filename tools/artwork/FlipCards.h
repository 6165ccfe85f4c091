// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

// The classic skin's flip cards: two dark figures on a light card split across the middle.
namespace tervalo::artwork {

inline constexpr QSize flipCardSize{136, 148};

// Paints a card showing the two figures, in the card picture's coordinates (136 × 148).
void paintFlipCard(QPainter &painter, const QString &figures);

// The card picture for 0 to 59, shown with two figures ("00" … "59"), at `ratio` image pixels
// per picture pixel.
QImage flipCardPicture(int number, qreal ratio = 1);

} // namespace tervalo::artwork
