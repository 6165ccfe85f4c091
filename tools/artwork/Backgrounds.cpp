// SPDX-License-Identifier: MIT
#include "Backgrounds.h"

#include "Layers.h"
#include "Palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tervalo::artwork {

namespace {

namespace pal = palette;

// The glass is dark and nearly opaque, so that the widget's white and silver texts keep their
// contrast over a light desktop as over a dark one: over pure white the glass comes out no
// lighter than about #4a4e54. The only light is a highlight along the very top edge, above the
// first line of text: `highlightHeight` pixels of it.
qreal highlightHeight(const QRectF &rect)
{
    return std::clamp(rect.height() * 0.1 - 2, 3.0, 14.0);
}

// The top edge catching the light, fading out downwards; drawn inside the panel's outline.
void paintTopHighlight(QPainter &painter, const QRectF &rect, const QPainterPath &outline,
                       const QColor &light)
{
    QLinearGradient highlight(rect.topLeft(), rect.topLeft() + QPointF(0, highlightHeight(rect)));
    highlight.setColorAt(0.0, light);
    highlight.setColorAt(0.35, QColor(light.red(), light.green(), light.blue(), light.alpha() / 3));
    highlight.setColorAt(1.0, Qt::transparent);
    painter.fillPath(outline, highlight);
}

// A hairline just inside the outline: light along the top, dark elsewhere, so the panel's
// edge shows over any desktop.
void paintRim(QPainter &painter, const QRectF &rect, qreal cornerRadius)
{
    const QRectF inner = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient rim(rect.topLeft(), rect.bottomLeft());
    rim.setColorAt(0.0, pal::glassRimLight);
    rim.setColorAt(std::min(0.5, cornerRadius / rect.height()), pal::glassRimDark);
    rim.setColorAt(1.0, pal::glassRimDark);
    painter.setPen(QPen(QBrush(rim), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(inner, cornerRadius - 0.5, cornerRadius - 0.5);
}

// The classic skin's gloss: the upper half of the glass a shade lighter than the lower, with
// the line between them where a curved pane would reflect the horizon.
void paintClassicGlass(QPainter &painter, const QRectF &rect, const QPainterPath &outline)
{
    QLinearGradient glass(rect.topLeft(), rect.bottomLeft());
    glass.setColorAt(0.0, pal::glossTop);
    glass.setColorAt(0.46, pal::glossMiddle);
    glass.setColorAt(0.4601, pal::glassUpper);
    glass.setColorAt(1.0, pal::glassLower);
    painter.fillPath(outline, glass);
    paintTopHighlight(painter, rect, outline, pal::glossHighlight);
}

// The modern skin: plain glass with a faint light line along the top edge and its corners.
void paintModernGlass(QPainter &painter, const QRectF &rect, const QPainterPath &outline)
{
    painter.fillPath(outline, pal::glass);
    paintTopHighlight(painter, rect, outline, pal::modernEdge);
}

} // namespace

qreal panelCornerRadius(qreal height)
{
    return std::clamp(height * 0.16, 4.5, 12.0);
}

void paintPanel(QPainter &painter, const QRectF &rect, Skin skin, qreal cornerRadius)
{
    QPainterPath outline;
    outline.addRoundedRect(rect, cornerRadius, cornerRadius);
    painter.save();
    painter.setClipPath(outline, Qt::IntersectClip);
    if (skin == Skin::Classic)
        paintClassicGlass(painter, rect, outline);
    else
        paintModernGlass(painter, rect, outline);
    paintRim(painter, rect, cornerRadius);
    painter.restore();
}

QImage panelPicture(Skin skin, QSize size, qreal ratio)
{
    return paintedPicture(size, ratio, [&](QPainter &painter) {
        paintPanel(painter, QRectF(QPointF(0, 0), size), skin, panelCornerRadius(size.height()));
    });
}

} // namespace tervalo::artwork
