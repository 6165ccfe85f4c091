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

// The classic skin's gloss: a grey band fading to black over the upper part, all of it at the
// glass's half opacity.
void paintClassicGlass(QPainter &painter, const QRectF &rect, const QPainterPath &outline)
{
    QLinearGradient gloss(rect.topLeft(), rect.bottomLeft());
    gloss.setColorAt(0.0, pal::glossTop);
    gloss.setColorAt(0.16, pal::glossMiddle);
    gloss.setColorAt(0.48, pal::glass);
    gloss.setColorAt(1.0, pal::glass);
    painter.fillPath(outline, gloss);
}

// The modern skin: plain glass with a faint light line along the top edge and its corners.
void paintModernGlass(QPainter &painter, const QRectF &rect, const QPainterPath &outline,
                      qreal cornerRadius)
{
    painter.fillPath(outline, pal::glass);
    painter.save();
    painter.setClipPath(outline, Qt::IntersectClip);
    QLinearGradient edge(rect.topLeft(), rect.topLeft() + QPointF(0, cornerRadius));
    edge.setColorAt(0.0, pal::modernEdge);
    edge.setColorAt(1.0, Qt::transparent);
    painter.setPen(QPen(QBrush(edge), 1.0));
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(inner, cornerRadius - 0.5, cornerRadius - 0.5);
    painter.restore();
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
    if (skin == Skin::Classic)
        paintClassicGlass(painter, rect, outline);
    else
        paintModernGlass(painter, rect, outline, cornerRadius);
}

QImage panelPicture(Skin skin, QSize size, qreal ratio)
{
    return paintedPicture(size, ratio, [&](QPainter &painter) {
        paintPanel(painter, QRectF(QPointF(0, 0), size), skin, panelCornerRadius(size.height()));
    });
}

} // namespace tervalo::artwork
