// SPDX-License-Identifier: MIT
#include "WeatherParts.h"

#include "Layers.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tervalo::artwork {

namespace {

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

// The unit vector at `degrees`, counted clockwise from "right" as the screen's y axis points
// down.
QPointF direction(qreal degrees)
{
    const qreal radians = degrees * std::numbers::pi / 180.0;
    return {std::cos(radians), std::sin(radians)};
}

// The point moved to the centre of the image pixel it falls in.
QPointF snapToPixelCentre(const QPainter &painter, QPointF point)
{
    const QPointF onImage = painter.worldTransform().map(point);
    const QPointF snapped(std::floor(onImage.x()) + 0.5, std::floor(onImage.y()) + 0.5);
    return painter.worldTransform().inverted().map(snapped);
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// A soft round halo that fades out at `reach`.
void drawHalo(QPainter &painter, QPointF centre, qreal reach, const QColor &color, qreal solidUntil)
{
    QRadialGradient halo(centre, reach);
    halo.setColorAt(0.0, color);
    halo.setColorAt(solidUntil, color);
    halo.setColorAt(solidUntil + (1.0 - solidUntil) * 0.4, withAlpha(color, color.alpha() / 3));
    halo.setColorAt(1.0, withAlpha(color, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(centre, reach, reach);
}

// A radial fill lit from the upper left: `light` there, `dark` at the far rim.
QRadialGradient litFromUpperLeft(QPointF centre, qreal radius, const QColor &light,
                                 const QColor &dark)
{
    QRadialGradient fill(centre, radius * 1.3, centre + QPointF(-0.4, -0.45) * radius);
    fill.setColorAt(0.0, light);
    fill.setColorAt(1.0, dark);
    return fill;
}

void drawSunRays(SceneCanvas &canvas, QPointF centre, qreal radius)
{
    const qreal width = canvas.strokeWidth(radius * 0.13, 1.4);
    const qreal inner = radius * 1.2 + width / 2;
    QRadialGradient fade(centre, radius * 1.6);
    fade.setColorAt(inner / (radius * 1.6), withAlpha(palette::sunRay, 235));
    fade.setColorAt(1.0, withAlpha(palette::sunRay, 150));
    QPen pen(QBrush(fade), width, Qt::SolidLine, Qt::RoundCap);
    canvas.painter.setPen(pen);
    for (int ray = 0; ray < 12; ++ray) {
        const QPointF d = direction(ray * 30.0 + 15.0);
        const qreal outer = radius * (ray % 2 == 0 ? 1.55 : 1.42) - width / 2;
        canvas.painter.drawLine(centre + d * inner, centre + d * outer);
    }
}

// Shading inside the cloud that follows its outline: a darker rim along the underside and a
// lighter one along the puffs' tops, so the cloud looks round rather than cut out of paper.
void shadeInside(SceneCanvas &canvas, const QPainterPath &outline, qreal height,
                 const palette::CloudTone &tone)
{
    QPainter &painter = canvas.painter;
    painter.save();
    painter.setClipPath(outline, Qt::IntersectClip);
    const QPainterPath underside = outline.subtracted(outline.translated(0, -0.16 * height));
    paintSoftShape(painter, underside, withAlpha(tone.underside, 170), 0.09 * height);
    const QPainterPath tops = outline.subtracted(outline.translated(0.03 * height, 0.09 * height));
    paintSoftShape(painter, tops, withAlpha(tone.top, 220), 0.05 * height);
    painter.restore();
}

// How wide a drop's round end is for its length, and how far the wind slants it.
constexpr qreal dropRoundness = 0.3;
constexpr qreal dropSlant = 17.7; // degrees, so that it falls to the left

// A drop with its tip at the origin, falling along the y axis: a point drawn out into a round
// end.
QPainterPath dropOutline(qreal length)
{
    const qreal r = length * dropRoundness;
    const qreal centre = length - r;
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(QPointF(0.25 * r, 0.3 * length), QPointF(r, centre - 0.9 * r), QPointF(r, centre));
    path.arcTo(QRectF(-r, centre - r, 2 * r, 2 * r), 0, -180);
    path.cubicTo(QPointF(-r, centre - 0.9 * r), QPointF(-0.25 * r, 0.3 * length), QPointF(0, 0));
    path.closeSubpath();
    return path;
}

QPainterPath boltOutline(const QRectF &box)
{
    static constexpr QPointF corners[] = {{0.42, 0.0}, {0.97, 0.0},  {0.63, 0.40}, {0.93, 0.40},
                                          {0.20, 1.0}, {0.40, 0.56}, {0.06, 0.56}};
    QPolygonF polygon;
    for (const QPointF &corner : corners)
        polygon << QPointF(box.left() + corner.x() * box.width(),
                           box.top() + corner.y() * box.height());
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

QPainterPath crescentOutline(QPointF centre, qreal radius)
{
    return circle(centre, radius)
        .subtracted(circle(centre + QPointF(0.40, -0.26) * radius, radius * 0.84));
}

void drawMoonCraters(SceneCanvas &canvas, const QPainterPath &crescent, QPointF centre,
                     qreal radius)
{
    canvas.painter.save();
    canvas.painter.setClipPath(crescent, Qt::IntersectClip);
    canvas.painter.setPen(Qt::NoPen);
    canvas.painter.setBrush(palette::moonCrater);
    canvas.painter.drawEllipse(centre + QPointF(-0.62, -0.05) * radius, radius * 0.13,
                               radius * 0.13);
    canvas.painter.drawEllipse(centre + QPointF(-0.40, 0.52) * radius, radius * 0.09,
                               radius * 0.09);
    canvas.painter.drawEllipse(centre + QPointF(-0.70, 0.32) * radius, radius * 0.06,
                               radius * 0.06);
    canvas.painter.restore();
}

QPainterPath twinkleOutline(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.moveTo(centre + QPointF(0, -radius));
    path.quadTo(centre, centre + QPointF(radius * 0.8, 0));
    path.quadTo(centre, centre + QPointF(0, radius));
    path.quadTo(centre, centre + QPointF(-radius * 0.8, 0));
    path.quadTo(centre, centre + QPointF(0, -radius));
    return path;
}

} // namespace

qreal SceneCanvas::strokeWidth(qreal units, qreal minimumPixels) const
{
    return std::max(units, minimumPixels / scale);
}

QPainterPath cloudOutline(const QRectF &box)
{
    const qreal w = box.width();
    const qreal h = box.height();
    auto at = [&](qreal fx, qreal fy) { return QPointF(box.left() + fx * w, box.top() + fy * h); };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRoundedRect(QRectF(at(0.0, 0.5), QSizeF(w, 0.5 * h)), 0.25 * h, 0.25 * h);
    path.addEllipse(at(0.31, 0.57), 0.29 * h, 0.29 * h);
    path.addEllipse(at(0.575, 0.42), 0.42 * h, 0.42 * h);
    path.addEllipse(at(0.81, 0.63), 0.26 * h, 0.26 * h);
    return path.simplified();
}

void drawSun(SceneCanvas &canvas, QPointF centre, qreal radius)
{
    QPainter &painter = canvas.painter;
    drawHalo(painter, centre, radius * 1.75, withAlpha(palette::sunGlow, 120), 0.55);
    drawSunRays(canvas, centre, radius);
    QRadialGradient body = litFromUpperLeft(centre, radius, palette::sunCore, palette::sunRim);
    body.setColorAt(0.5, palette::sunBody);
    painter.setPen(QPen(withAlpha(palette::sunRim, 140), canvas.strokeWidth(1.2, 0.6)));
    painter.setBrush(body);
    painter.drawEllipse(centre, radius, radius);
}

void drawCloud(SceneCanvas &canvas, const QRectF &box, const palette::CloudTone &tone)
{
    QPainter &painter = canvas.painter;
    const QPainterPath outline = cloudOutline(box);
    const qreal h = box.height();
    paintSoftShape(painter, outline, palette::cloudShadow, h * 0.10, QPointF(h * 0.02, h * 0.07));

    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, tone.top);
    fill.setColorAt(0.55, tone.middle);
    fill.setColorAt(1.0, tone.underside);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(outline);
    shadeInside(canvas, outline, h, tone);
}

void drawRainDrop(SceneCanvas &canvas, QPointF top, qreal length)
{
    QPainter &painter = canvas.painter;
    const qreal radius = length * dropRoundness;
    painter.save();
    painter.translate(top);
    painter.rotate(dropSlant);
    QLinearGradient fill(0, 0, 0, length);
    fill.setColorAt(0.0, palette::rainLight);
    fill.setColorAt(1.0, palette::rainDeep);
    painter.setPen(QPen(palette::rainRim, canvas.strokeWidth(length * 0.05, 0.6)));
    painter.setBrush(fill);
    painter.drawPath(dropOutline(length));
    if (!canvas.isSmall()) {
        // The light catching the drop's round part.
        painter.setPen(Qt::NoPen);
        painter.setBrush(withAlpha(Qt::white, 170));
        painter.drawEllipse(QPointF(-0.38 * radius, length - 1.25 * radius), 0.22 * radius,
                            0.3 * radius);
    }
    painter.restore();
}

void drawSnowflake(SceneCanvas &canvas, QPointF centre, qreal radius)
{
    // Small flakes sit on a pixel's centre so that their upright arm stays sharp. Every flake
    // keeps the branches near its arms' ends: they tell a flake from a star or an asterisk.
    if (canvas.isSmall())
        centre = snapToPixelCentre(canvas.painter, centre);
    const bool small = radius * canvas.scale < 9.0;
    const qreal forkAt = small ? 0.6 : 0.55;
    const qreal branchLength = small ? 0.4 : 0.34;
    QPainterPath arms;
    for (int arm = 0; arm < 6; ++arm) {
        const qreal angle = 90.0 + arm * 60.0;
        arms.moveTo(centre);
        arms.lineTo(centre + direction(angle) * radius);
        const QPointF fork = centre + direction(angle) * radius * forkAt;
        for (const qreal side : {-50.0, 50.0}) {
            arms.moveTo(fork);
            arms.lineTo(fork + direction(angle + side) * radius * branchLength);
        }
    }
    const qreal width = canvas.strokeWidth(radius * 0.14, 1.1);
    QRadialGradient tint(centre, radius);
    tint.setColorAt(0.0, palette::snow);
    tint.setColorAt(1.0, palette::snowShade);
    canvas.painter.strokePath(
        arms, QPen(QBrush(tint), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void drawBolt(SceneCanvas &canvas, const QRectF &box)
{
    QPainter &painter = canvas.painter;
    const QPainterPath outline = boltOutline(box);
    paintSoftShape(painter, outline, palette::boltGlow, box.width() * 0.16);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, palette::boltLight);
    fill.setColorAt(0.6, palette::boltBody);
    fill.setColorAt(1.0, palette::boltRim);
    painter.setPen(QPen(palette::boltRim, canvas.strokeWidth(1.4, 0.7), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(outline);
}

void drawMoon(SceneCanvas &canvas, QPointF centre, qreal radius)
{
    QPainter &painter = canvas.painter;
    const QPainterPath crescent = crescentOutline(centre, radius);
    paintSoftShape(painter, crescent, palette::moonGlow, radius * 0.45);
    painter.setPen(Qt::NoPen);
    painter.setBrush(litFromUpperLeft(centre, radius, palette::moonLight, palette::moonShade));
    painter.drawPath(crescent);
    if (!canvas.isSmall())
        drawMoonCraters(canvas, crescent, centre, radius);
}

void drawStar(SceneCanvas &canvas, QPointF centre, qreal radius)
{
    QPainter &painter = canvas.painter;
    drawHalo(painter, centre, radius * 0.9, withAlpha(palette::star, 70), 0.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::star);
    painter.drawPath(twinkleOutline(centre, radius));
}

void drawNoDataDisc(SceneCanvas &canvas, QPointF centre, qreal radius)
{
    QPainter &painter = canvas.painter;
    paintSoftShape(painter, circle(centre, radius), palette::cloudShadow, radius * 0.12,
                   QPointF(0, radius * 0.08));
    painter.setPen(QPen(withAlpha(palette::discDark, 200), canvas.strokeWidth(1.2, 0.6)));
    painter.setBrush(litFromUpperLeft(centre, radius, palette::discLight, palette::discDark));
    painter.drawEllipse(centre, radius, radius);
}

} // namespace tervalo::artwork
