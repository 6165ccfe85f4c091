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

// Every scene keeps its ink, shadows and glows included, inside largeFrame.motifBox and is
// centred in it. The soft parts reach well past what casts them: a cloud's shadow about an
// eighth of the cloud's height below it, a sun's halo 1.75 times the sun's radius from its
// centre, a moon's glow half its radius beyond its rim. Halo and glow must have faded out at
// the picture's top edge, or the edge shows as a line.

// A cloud with weather falling from it sits at the top, leaving a band below it for what falls.
constexpr QRectF fallingCloud{38, 5, 138, 81};
constexpr qreal dropLength = 19;
constexpr qreal flakeRadius = 9;
// Rows of rain start this far below the cloud, rows of snow are centred this far below it.
constexpr qreal rainRows[] = {6, 28};
constexpr qreal snowRows[] = {13, 38};

QPointF underCloud(const QRectF &cloud, qreal across, qreal depth)
{
    return {cloud.left() + across * cloud.width(), cloud.bottom() + depth};
}

// A row of drops `depth` below the cloud, one at each fraction `across` its width.
void rainRow(SceneCanvas &canvas, const QRectF &cloud, qreal depth,
             std::initializer_list<qreal> across)
{
    for (const qreal x : across)
        drawRainDrop(canvas, underCloud(cloud, x, depth), dropLength);
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
    drawSun(canvas, {108, 73}, 41);
}

void paintSunCloud(SceneCanvas &canvas)
{
    drawSun(canvas, {79, 63}, 35);
    drawCloud(canvas, {85, 72, 102, 59}, pal::cloudWhite);
}

void paintCloudy(SceneCanvas &canvas)
{
    drawCloud(canvas, {90, 6, 110, 64}, pal::cloudWhiteBehind);
    drawCloud(canvas, {14, 42, 146, 84}, pal::cloudWhite);
}

void paintOvercast(SceneCanvas &canvas)
{
    drawCloud(canvas, {90, 6, 110, 64}, pal::cloudGreyBehind);
    drawCloud(canvas, {14, 42, 146, 84}, pal::cloudGrey);
}

void paintShortRain(SceneCanvas &canvas)
{
    // The sun peeks out over the cloud's upper left; a single staggered row of drops.
    constexpr QRectF cloud{54, 34, 130, 72};
    drawSun(canvas, {73, 54}, 30);
    drawCloud(canvas, cloud, pal::cloudWhite);
    rainRow(canvas, cloud, 5, {0.37, 0.80});
    rainRow(canvas, cloud, 10, {0.585});
}

void paintRain(SceneCanvas &canvas)
{
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    rainRow(canvas, fallingCloud, rainRows[0], {0.23, 0.435, 0.64, 0.84});
    rainRow(canvas, fallingCloud, rainRows[1], {0.335, 0.535, 0.74});
}

void paintLightning(SceneCanvas &canvas)
{
    // The bolt strikes from behind the cloud, between the drops.
    drawBolt(canvas, {86, 60, 46, 76});
    drawCloud(canvas, fallingCloud, pal::cloudStorm);
    rainRow(canvas, fallingCloud, rainRows[0] + 2, {0.24, 0.87});
    rainRow(canvas, fallingCloud, rainRows[1] + 2, {0.13, 0.96});
}

void paintRainSnow(SceneCanvas &canvas)
{
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    rainRow(canvas, fallingCloud, rainRows[0], {0.31, 0.74});
    rainRow(canvas, fallingCloud, rainRows[1], {0.415});
    snowRow(canvas, fallingCloud, 17, {0.5});
    snowRow(canvas, fallingCloud, 40, {0.605});
}

void paintSnow(SceneCanvas &canvas)
{
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    if (canvas.isSmall()) {
        // Small flakes are drawn larger, so they keep further apart and clear of the cloud.
        snowRow(canvas, fallingCloud, 19, {0.27, 0.5, 0.73});
        snowRow(canvas, fallingCloud, 45, {0.385, 0.615});
        return;
    }
    snowRow(canvas, fallingCloud, snowRows[0], {0.285, 0.5, 0.715});
    snowRow(canvas, fallingCloud, snowRows[1], {0.395, 0.605});
}

void paintHeavySnow(SceneCanvas &canvas)
{
    // The cloud is smaller than the other falling weather's, leaving room for three rows of
    // flakes.
    constexpr QRectF cloud{40, 13, 121, 71};
    drawCloud(canvas, {94, 3, 81, 47}, pal::cloudStormBehind);
    drawCloud(canvas, cloud, pal::cloudStorm);
    if (canvas.isSmall()) {
        // Small, the flurry thins out so the flakes do not run together.
        snowRow(canvas, cloud, 18, {0.29, 0.535, 0.78}, 10);
        snowRow(canvas, cloud, 46, {0.415, 0.66, 0.905}, 10);
        return;
    }
    constexpr qreal r = 7;
    snowRow(canvas, cloud, 10, {0.255, 0.45, 0.645, 0.84}, r);
    snowRow(canvas, cloud, 28, {0.355, 0.55, 0.745}, r);
    snowRow(canvas, cloud, 46, {0.255, 0.45, 0.645, 0.84}, r);
}

void paintNoData(SceneCanvas &canvas)
{
    drawNoDataDisc(canvas, {108, 67}, 53);
}

// Night scenes: the moon takes the sun's place, behind the same clouds.

void paintClearNight(SceneCanvas &canvas)
{
    drawMoon(canvas, {100, 72}, 48);
    drawStar(canvas, {166, 28}, 9);
    drawStar(canvas, {188, 88}, 6);
    drawStar(canvas, {42, 34}, 5);
    drawStar(canvas, {156, 126}, 5);
}

void paintCloudyNight(SceneCanvas &canvas)
{
    drawMoon(canvas, {72, 52}, 34);
    drawStar(canvas, {170, 30}, 7);
    drawCloud(canvas, {64, 66, 112, 64}, pal::cloudNight);
}

// With weather falling, the moon peeks out over the upper left of the cloud.
constexpr QPointF nightMoonCentre{62, 38};
constexpr qreal nightMoonRadius = 25;
constexpr QRectF nightFallingCloud{50, 15, 124, 72};

void paintMoonBehindCloud(SceneCanvas &canvas)
{
    drawMoon(canvas, nightMoonCentre, nightMoonRadius);
    drawCloud(canvas, nightFallingCloud, pal::cloudNight);
}

void paintRainNight(SceneCanvas &canvas)
{
    paintMoonBehindCloud(canvas);
    rainRow(canvas, nightFallingCloud, rainRows[0], {0.31, 0.525, 0.74});
    rainRow(canvas, nightFallingCloud, rainRows[1], {0.42, 0.63});
}

void paintLightningNight(SceneCanvas &canvas)
{
    drawMoon(canvas, nightMoonCentre, nightMoonRadius);
    drawBolt(canvas, {93, 70, 38, 66});
    drawCloud(canvas, nightFallingCloud, pal::cloudNightStorm);
    rainRow(canvas, nightFallingCloud, rainRows[0] + 4, {0.225, 0.875});
}

void paintSnowNight(SceneCanvas &canvas)
{
    paintMoonBehindCloud(canvas);
    snowRow(canvas, nightFallingCloud, snowRows[0], {0.29, 0.5, 0.71});
    snowRow(canvas, nightFallingCloud, snowRows[1], {0.395, 0.605});
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
