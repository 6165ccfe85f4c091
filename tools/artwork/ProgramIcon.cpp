// SPDX-License-Identifier: MIT
#include "ProgramIcon.h"

#include "Layers.h"
#include "Palette.h"
#include "WeatherParts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tervalo::artwork {

namespace {

namespace pal = palette;

constexpr QSize iconSize{256, 256};
// The tile leaves room below for its shadow.
constexpr QRectF tile{10, 8, 236, 236};
constexpr qreal tileRadius = 52;

QPainterPath tileOutline()
{
    QPainterPath path;
    path.addRoundedRect(tile, tileRadius, tileRadius);
    return path;
}

void paintTile(QPainter &painter, const QPainterPath &outline)
{
    paintSoftShape(painter, outline, QColor(0, 0, 0, 0x70), 6, QPointF(0, 3));
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0.0, pal::tileTop);
    fill.setColorAt(1.0, pal::tileBottom);
    painter.fillPath(outline, fill);
}

// A thin light rim along the tile's upper edge, fading out downwards.
void paintTileEdge(QPainter &painter)
{
    QLinearGradient edge(tile.topLeft(), tile.topLeft() + QPointF(0, tileRadius * 1.5));
    edge.setColorAt(0.0, pal::tileEdge);
    edge.setColorAt(1.0, Qt::transparent);
    painter.setPen(QPen(QBrush(edge), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(tile.adjusted(1, 1, -1, -1), tileRadius - 1, tileRadius - 1);
}

} // namespace

QImage programIcon()
{
    QImage image = blankImage(iconSize);
    QPainter painter(&image);
    useSmoothPainting(painter);
    const QPainterPath outline = tileOutline();
    paintTile(painter, outline);
    painter.save();
    painter.setClipPath(outline, Qt::IntersectClip);
    SceneCanvas canvas{painter, 1.0};
    drawSun(canvas, {100, 100}, 52);
    drawCloud(canvas, {52, 114, 176, 104}, pal::cloudWhite);
    painter.restore();
    paintTileEdge(painter);
    return image;
}

} // namespace tervalo::artwork
