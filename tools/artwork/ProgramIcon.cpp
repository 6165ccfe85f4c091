// SPDX-License-Identifier: MIT
#include "ProgramIcon.h"

#include "Layers.h"
#include "Palette.h"
#include "WeatherParts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tervalo::artwork {

namespace {

namespace pal = palette;

// The mark in units of a 256-unit square: the sun over the cloud's upper right, the cloud
// across the lower part. The outline's width is in pixels of the icon.
struct Layout {
    QPointF sunCentre;
    qreal sunRadius;
    int rays;
    QRectF cloud;
    qreal outline;
    bool shaded;
};

Layout layoutFor(int size)
{
    if (size <= 24) {
        // A disc and a cloud with a one-pixel outline, nothing finer; the cloud's straight
        // edges fall on whole pixels, so its outline stays one sharp pixel wide.
        const qreal pixel = 256.0 / size;
        const int height = qRound(size * 0.58);
        const QRectF cloud(2 * pixel, (size - 1 - height) * pixel, (size - 4) * pixel,
                           height * pixel);
        return {{0.66 * 256, 0.36 * 256}, 0.24 * 256, 0, cloud, 1.0, false};
    }
    if (size <= 48)
        return {{162, 86}, 54, 8, {10, 98, 232, 138}, size / 32.0, false};
    return {{160, 88}, 50, 12, {16, 104, 224, 132}, size / 40.0, true};
}

QPainterPath disc(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// Paints the path's outline in the icon's dark blue, `width` pixels beyond the path, under
// what is painted next.
void outline(QPainter &painter, const QPainterPath &path, qreal width)
{
    const qreal units = width / painter.worldTransform().m11();
    painter.strokePath(
        path, QPen(pal::iconOutline, 2 * units, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, pal::iconOutline);
}

void paintRays(QPainter &painter, const Layout &layout)
{
    const qreal units = layout.outline / painter.worldTransform().m11();
    const qreal width = std::max(layout.sunRadius * 0.16, units * 1.2);
    QPainterPath rays;
    for (int ray = 0; ray < layout.rays; ++ray) {
        const qreal radians =
            (ray * 360.0 / layout.rays + 180.0 / layout.rays) * std::numbers::pi / 180.0;
        const QPointF d(std::cos(radians), std::sin(radians));
        rays.moveTo(layout.sunCentre + d * (layout.sunRadius + units + width));
        rays.lineTo(layout.sunCentre + d * (layout.sunRadius * 1.5));
    }
    painter.strokePath(rays,
                       QPen(pal::iconOutline, width + 2 * units, Qt::SolidLine, Qt::RoundCap));
    painter.strokePath(rays, QPen(pal::sunBody, width, Qt::SolidLine, Qt::RoundCap));
}

void paintSun(QPainter &painter, const Layout &layout)
{
    const QPainterPath sun = disc(layout.sunCentre, layout.sunRadius);
    if (layout.rays > 0)
        paintRays(painter, layout);
    outline(painter, sun, layout.outline);
    if (!layout.shaded) {
        painter.fillPath(sun, pal::sunBody);
        return;
    }
    QRadialGradient body(layout.sunCentre, layout.sunRadius * 1.3,
                         layout.sunCentre + QPointF(-0.4, -0.45) * layout.sunRadius);
    body.setColorAt(0.0, pal::sunCore);
    body.setColorAt(0.5, pal::sunBody);
    body.setColorAt(1.0, pal::sunRim);
    painter.fillPath(sun, body);
}

void paintCloud(QPainter &painter, const Layout &layout)
{
    const QPainterPath cloud = cloudOutline(layout.cloud);
    outline(painter, cloud, layout.outline);
    if (!layout.shaded) {
        QLinearGradient fill(layout.cloud.topLeft(), layout.cloud.bottomLeft());
        fill.setColorAt(0.5, pal::cloudWhite.top);
        fill.setColorAt(1.0, pal::cloudWhite.middle);
        painter.fillPath(cloud, fill);
        return;
    }
    QLinearGradient fill(layout.cloud.topLeft(), layout.cloud.bottomLeft());
    fill.setColorAt(0.0, pal::cloudWhite.top);
    fill.setColorAt(0.55, pal::cloudWhite.middle);
    fill.setColorAt(1.0, pal::cloudWhite.underside);
    painter.fillPath(cloud, fill);
}

} // namespace

QImage programIcon(int size)
{
    const Layout layout = layoutFor(size);
    return paintedPicture(QSize(size, size), 1, [&](QPainter &painter) {
        painter.scale(size / 256.0, size / 256.0);
        if (layout.shaded) {
            const QPainterPath silhouette =
                cloudOutline(layout.cloud).united(disc(layout.sunCentre, layout.sunRadius));
            paintSoftShape(painter, silhouette, QColor(0, 0, 0, 0x60), 6, QPointF(0, 5));
        }
        paintSun(painter, layout);
        paintCloud(painter, layout);
    });
}

} // namespace tervalo::artwork
