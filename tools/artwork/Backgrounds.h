// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRectF>

class QPainter;

// The skins' backgrounds: dark glass with rounded corners, translucent but dark enough for the
// widget's texts over any desktop; glossy in the classic skin, plain in the modern one, both
// with a lit top edge.
namespace tervalo::artwork {

enum class Skin { Classic, Modern };

inline constexpr QSize mainPanelSize{500, 148};
inline constexpr QSize forecastPanelSize{500, 50};

// Paints a panel of the skin filling the rectangle.
void paintPanel(QPainter &painter, const QRectF &rect, Skin skin, qreal cornerRadius);

// A whole background picture, at `ratio` image pixels per picture pixel; the corner radius
// follows the panel's height.
QImage panelPicture(Skin skin, QSize size, qreal ratio = 1);

// The corner radius a panel of this height gets.
qreal panelCornerRadius(qreal height);

} // namespace tervalo::artwork
