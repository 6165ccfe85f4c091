// SPDX-License-Identifier: MIT
#include "WeatherScenes.h"

#include "Layers.h"
#include "WeatherParts.h"

#include <QPainter>

#include <algorithm>
#include <initializer_list>

namespace tervalo::artwork {

namespace {

namespace pal = palette;

// Every scene keeps its ink, shadows and glows included, inside largeFrame.motifBox: the
// widget's texts stand left of it and below it. The soft parts reach well past what casts
// them: a cloud's shadow about a fifth of the cloud's height below it, a sun's halo 1.75 times
// the sun's radius from its centre, a moon's glow two thirds of its radius beyond its rim.
// Halo and glow must have faded out at the picture's top edge, or the edge shows as a line.
//
// The small pictures are the same scenes with fewer and larger parts, drawn by their own
// layouts below: at 60 × 50 only a few big flakes, drops and bolts still read as what they are.

// A cloud with weather falling from it sits at the top, leaving a band below it for what falls.
constexpr QRectF fallingCloud{80, 5, 120, 68};
constexpr qreal dropLength = 17;
constexpr qreal flakeRadius = 8;
// Rows of rain start this far below the cloud, rows of snow are centred this far below it.
constexpr qreal rainRows[] = {7, 26};
constexpr qreal snowRows[] = {14, 35};

// The small pictures' cloud over falling weather, and its drops and flakes.
constexpr QRectF smallFallingCloud{76, 4, 128, 68};
constexpr qreal smallDropLength = 27;
constexpr qreal smallFlakeRadius = 17;

QPointF underCloud(const QRectF &cloud, qreal across, qreal depth)
{
    return {cloud.left() + across * cloud.width(), cloud.bottom() + depth};
}

// A row of drops `depth` below the cloud, one at each fraction `across` its width.
void rainRow(SceneCanvas &canvas, const QRectF &cloud, qreal depth,
             std::initializer_list<qreal> across, qreal length = dropLength)
{
    for (const qreal x : across)
        drawRainDrop(canvas, underCloud(cloud, x, depth), length);
}

// A row of flakes centred `depth` below the cloud, one at each fraction `across` its width.
void snowRow(SceneCanvas &canvas, const QRectF &cloud, qreal depth,
             std::initializer_list<qreal> across, qreal radius = flakeRadius)
{
    for (const qreal x : across)
        drawSnowflake(canvas, underCloud(cloud, x, depth), radius);
}

// Day scenes.

void paintSun(SceneCanvas &canvas)
{
    drawSun(canvas, {140, 60}, canvas.isSmall() ? 36 : 33);
}

void paintSunCloud(SceneCanvas &canvas)
{
    if (canvas.isSmall()) {
        drawSun(canvas, {114, 50}, 29);
        drawCloud(canvas, {118, 56, 94, 54}, pal::cloudWhite);
        return;
    }
    drawSun(canvas, {118, 49}, 27);
    drawCloud(canvas, {122, 55, 88, 51}, pal::cloudWhite);
}

void paintCloudPair(SceneCanvas &canvas, const palette::CloudTone &behind,
                    const palette::CloudTone &front)
{
    drawCloud(canvas, {124, 8, 82, 48}, behind);
    drawCloud(canvas, {66, 36, 116, 66}, front);
}

void paintCloudy(SceneCanvas &canvas)
{
    paintCloudPair(canvas, pal::cloudWhiteBehind, pal::cloudWhite);
}

void paintOvercast(SceneCanvas &canvas)
{
    paintCloudPair(canvas, pal::cloudGreyBehind, pal::cloudGrey);
}

void paintShortRain(SceneCanvas &canvas)
{
    // The sun peeks out over the cloud's upper left; a single staggered row of drops.
    if (canvas.isSmall()) {
        constexpr QRectF cloud{94, 28, 116, 62};
        drawSun(canvas, {102, 44}, 24);
        drawCloud(canvas, cloud, pal::cloudWhite);
        rainRow(canvas, cloud, 8, {0.36, 0.72}, smallDropLength);
        return;
    }
    constexpr QRectF cloud{98, 33, 108, 58};
    drawSun(canvas, {107, 44}, 24);
    drawCloud(canvas, cloud, pal::cloudWhite);
    rainRow(canvas, cloud, 6, {0.36, 0.78}, dropLength);
    rainRow(canvas, cloud, 11, {0.57}, dropLength);
}

void paintRain(SceneCanvas &canvas)
{
    if (canvas.isSmall()) {
        drawCloud(canvas, smallFallingCloud, pal::cloudWhite);
        rainRow(canvas, smallFallingCloud, 9, {0.3, 0.56, 0.82}, smallDropLength);
        return;
    }
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    rainRow(canvas, fallingCloud, rainRows[0], {0.24, 0.44, 0.64, 0.84});
    rainRow(canvas, fallingCloud, rainRows[1], {0.34, 0.54, 0.74});
}

void paintLightning(SceneCanvas &canvas)
{
    // The bolt strikes from behind the cloud, between the drops.
    if (canvas.isSmall()) {
        drawCloud(canvas, smallFallingCloud, pal::cloudStorm);
        drawBolt(canvas, {118, 40, 44, 80});
        rainRow(canvas, smallFallingCloud, 9, {0.2, 0.9}, smallDropLength);
        return;
    }
    drawBolt(canvas, {119, 50, 40, 68});
    drawCloud(canvas, fallingCloud, pal::cloudStorm);
    rainRow(canvas, fallingCloud, rainRows[0] + 2, {0.24, 0.86});
    rainRow(canvas, fallingCloud, rainRows[1] + 2, {0.14, 0.96});
}

void paintRainSnow(SceneCanvas &canvas)
{
    if (canvas.isSmall()) {
        drawCloud(canvas, smallFallingCloud, pal::cloudWhite);
        rainRow(canvas, smallFallingCloud, 9, {0.34}, smallDropLength);
        snowRow(canvas, smallFallingCloud, 25, {0.68}, smallFlakeRadius);
        return;
    }
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    rainRow(canvas, fallingCloud, rainRows[0], {0.3, 0.74});
    rainRow(canvas, fallingCloud, rainRows[1], {0.4});
    snowRow(canvas, fallingCloud, 17, {0.52});
    snowRow(canvas, fallingCloud, 38, {0.63});
}

void paintSnow(SceneCanvas &canvas)
{
    if (canvas.isSmall()) {
        drawCloud(canvas, smallFallingCloud, pal::cloudWhite);
        snowRow(canvas, smallFallingCloud, 25, {0.3, 0.7}, smallFlakeRadius);
        return;
    }
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    snowRow(canvas, fallingCloud, snowRows[0], {0.29, 0.5, 0.71});
    snowRow(canvas, fallingCloud, snowRows[1], {0.395, 0.605});
}

void paintHeavySnow(SceneCanvas &canvas)
{
    // A darker, smaller cloud than the other falling weather's, with a second one behind it,
    // leaving room for more flakes.
    if (canvas.isSmall()) {
        constexpr QRectF cloud{76, 6, 116, 62};
        drawCloud(canvas, {138, 6, 68, 40}, pal::cloudStormBehind);
        drawCloud(canvas, cloud, pal::cloudStorm);
        snowRow(canvas, cloud, 22, {0.16, 0.5, 0.84}, 14);
        snowRow(canvas, cloud, 42, {0.33, 0.67}, 10);
        return;
    }
    constexpr QRectF cloud{84, 10, 104, 60};
    drawCloud(canvas, {146, 3, 64, 38}, pal::cloudStormBehind);
    drawCloud(canvas, cloud, pal::cloudStorm);
    constexpr qreal r = 6;
    snowRow(canvas, cloud, 10, {0.18, 0.42, 0.66, 0.9}, r);
    snowRow(canvas, cloud, 25, {0.3, 0.54, 0.78}, r);
    snowRow(canvas, cloud, 40, {0.18, 0.42, 0.66, 0.9}, r);
}

void paintNoData(SceneCanvas &canvas)
{
    drawNoDataDisc(canvas, {140, 57}, 47);
}

// Night scenes: the moon takes the sun's place, behind the same clouds.

void paintClearNight(SceneCanvas &canvas)
{
    drawMoon(canvas, {134, 60}, 35);
    drawStar(canvas, {188, 22}, 8);
    drawStar(canvas, {204, 72}, 5);
    drawStar(canvas, {84, 22}, 4);
    drawStar(canvas, {180, 106}, 4);
}

void paintCloudyNight(SceneCanvas &canvas)
{
    drawMoon(canvas, {110, 42}, 26);
    drawStar(canvas, {196, 20}, 6);
    drawCloud(canvas, {106, 50, 100, 57}, pal::cloudNight);
}

// With weather falling, the moon peeks out over the upper left of the cloud.
constexpr QPointF nightMoonCentre{102, 33};
constexpr qreal nightMoonRadius = 19;
constexpr QRectF nightFallingCloud{94, 14, 110, 63};

void paintMoonBehindCloud(SceneCanvas &canvas)
{
    drawMoon(canvas, nightMoonCentre, nightMoonRadius);
    drawCloud(canvas, nightFallingCloud, pal::cloudNight);
}

void paintRainNight(SceneCanvas &canvas)
{
    paintMoonBehindCloud(canvas);
    rainRow(canvas, nightFallingCloud, rainRows[0] - 1, {0.31, 0.525, 0.74});
    rainRow(canvas, nightFallingCloud, rainRows[1] - 2, {0.42, 0.63});
}

void paintLightningNight(SceneCanvas &canvas)
{
    drawMoon(canvas, nightMoonCentre, nightMoonRadius);
    drawBolt(canvas, {131, 60, 34, 56});
    drawCloud(canvas, nightFallingCloud, pal::cloudNightStorm);
    rainRow(canvas, nightFallingCloud, rainRows[0] + 3, {0.225, 0.875});
}

void paintSnowNight(SceneCanvas &canvas)
{
    paintMoonBehindCloud(canvas);
    snowRow(canvas, nightFallingCloud, snowRows[0] - 1, {0.29, 0.5, 0.71});
    snowRow(canvas, nightFallingCloud, snowRows[1] - 2, {0.395, 0.605});
}

} // namespace

void paintScene(SceneCanvas &canvas, Scene scene)
{
    switch (scene) {
    case Scene::Sun:
        return paintSun(canvas);
    case Scene::SunCloud:
        return paintSunCloud(canvas);
    case Scene::Cloudy:
        return paintCloudy(canvas);
    case Scene::Overcast:
        return paintOvercast(canvas);
    case Scene::ShortRain:
        return paintShortRain(canvas);
    case Scene::Rain:
        return paintRain(canvas);
    case Scene::Lightning:
        return paintLightning(canvas);
    case Scene::RainSnow:
        return paintRainSnow(canvas);
    case Scene::Snow:
        return paintSnow(canvas);
    case Scene::HeavySnow:
        return paintHeavySnow(canvas);
    case Scene::NoData:
        return paintNoData(canvas);
    case Scene::ClearNight:
        return paintClearNight(canvas);
    case Scene::CloudyNight:
        return paintCloudyNight(canvas);
    case Scene::RainNight:
        return paintRainNight(canvas);
    case Scene::LightningNight:
        return paintLightningNight(canvas);
    case Scene::SnowNight:
        return paintSnowNight(canvas);
    }
}

QImage scenePicture(Scene scene, const SceneFrame &frame, qreal ratio)
{
    const QRectF &from = largeFrame.motifBox;
    const QRectF &to = frame.motifBox;
    const qreal scale = std::min(to.width() / from.width(), to.height() / from.height());
    return paintedPicture(frame.size, ratio, [&](QPainter &painter) {
        painter.translate(to.center() - from.center() * scale);
        painter.scale(scale, scale);
        SceneCanvas canvas{painter, scale};
        paintScene(canvas, scene);
    });
}

} // namespace tervalo::artwork
