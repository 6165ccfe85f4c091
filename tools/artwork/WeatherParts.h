// SPDX-License-Identifier: MIT
#pragma once

#include "Palette.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QPainter;

// The building blocks every weather picture is put together from: sun, clouds, rain, snow,
// lightning, moon and stars. They are drawn in the large picture's coordinates; a painter
// scaled down draws the same parts for the small pictures, the previews and the program icon.
namespace tervalo::artwork {

struct SceneCanvas {
    QPainter &painter;
    // Picture pixels per unit of the scene's coordinates. A picture drawn at 2× has twice as
    // many image pixels per picture pixel, but keeps its lines and details: it is the same
    // drawing.
    qreal scale = 1.0;

    // A stroke width of `units`, but never thinner than `minimumPixels` of the picture, so
    // that the small pictures keep crisp lines.
    qreal strokeWidth(qreal units, qreal minimumPixels) const;

    // True when fine details would only blur together at this scale.
    bool isSmall() const { return scale < 0.5; }
};

void drawSun(SceneCanvas &canvas, QPointF centre, qreal radius);

// The outline of a cloud filling the box: a flat-bottomed base with three puffs on top.
QPainterPath cloudOutline(const QRectF &box);

// A cloud filling the box, best about 1.7 times as wide as it is high.
void drawCloud(SceneCanvas &canvas, const QRectF &box, const palette::CloudTone &tone);

// A drop of rain, its tip at `top`, slanted by the wind.
void drawRainDrop(SceneCanvas &canvas, QPointF top, qreal length);

// A six-armed flake with a pair of branches on each arm.
void drawSnowflake(SceneCanvas &canvas, QPointF centre, qreal radius);

// A lightning bolt filling the box, best about 0.55 times as wide as it is high.
void drawBolt(SceneCanvas &canvas, const QRectF &box);

// A crescent moon, lit from the left, on a disc of the given radius.
void drawMoon(SceneCanvas &canvas, QPointF centre, qreal radius);

// A four-pointed twinkle.
void drawStar(SceneCanvas &canvas, QPointF centre, qreal radius);

// The plain grey disc that stands for "no forecast".
void drawNoDataDisc(SceneCanvas &canvas, QPointF centre, qreal radius);

} // namespace tervalo::artwork
