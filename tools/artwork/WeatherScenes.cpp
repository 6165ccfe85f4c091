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

// A cloud with weather falling from it sits high, leaving the lower part for what falls.
constexpr QRectF fallingCloud{36, 18, 168, 99};
constexpr qreal dropLength = 22;
constexpr qreal flakeRadius = 11;

void drops(SceneCanvas &canvas, std::initializer_list<QPointF> tops)
{
    for (const QPointF &top : tops)
        drawRainDrop(canvas, top, dropLength);
}

void flakes(SceneCanvas &canvas, std::initializer_list<QPointF> centres, qreal radius = flakeRadius)
{
    for (const QPointF &centre : centres)
        drawSnowflake(canvas, centre, radius);
}

// Day scenes.

void paintSun(SceneCanvas &canvas)
{
    drawSun(canvas, {120, 100}, 50);
}

void paintSunCloud(SceneCanvas &canvas)
{
    drawSun(canvas, {96, 84}, 44);
    drawCloud(canvas, {94, 98, 122, 72}, pal::cloudWhite);
}

void paintCloudy(SceneCanvas &canvas)
{
    drawCloud(canvas, {98, 30, 116, 68}, pal::cloudWhiteBehind);
    drawCloud(canvas, {26, 72, 164, 96}, pal::cloudWhite);
}

void paintOvercast(SceneCanvas &canvas)
{
    drawCloud(canvas, {98, 30, 116, 68}, pal::cloudGreyBehind);
    drawCloud(canvas, {26, 72, 164, 96}, pal::cloudGrey);
}

void paintShortRain(SceneCanvas &canvas)
{
    drawSun(canvas, {84, 76}, 38);
    drawCloud(canvas, {60, 52, 150, 88}, pal::cloudWhite);
    drops(canvas, {{116, 152}, {148, 160}, {180, 152}});
}

void paintRain(SceneCanvas &canvas)
{
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    drops(canvas, {{75, 132}, {109, 132}, {143, 132}, {177, 132}});
    drops(canvas, {{92, 160}, {126, 160}, {160, 160}});
}

void paintLightning(SceneCanvas &canvas)
{
    drawBolt(canvas, {96, 92, 52, 92});
    drawCloud(canvas, fallingCloud, pal::cloudStorm);
    drops(canvas, {{74, 134}, {184, 134}, {196, 162}, {62, 162}});
}

void paintRainSnow(SceneCanvas &canvas)
{
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    drops(canvas, {{88, 130}, {160, 130}, {106, 160}});
    flakes(canvas, {{120, 141}, {138, 171}});
}

void paintSnow(SceneCanvas &canvas)
{
    drawCloud(canvas, fallingCloud, pal::cloudWhite);
    flakes(canvas, {{84, 142}, {120, 142}, {156, 142}, {102, 172}, {138, 172}});
}

void paintHeavySnow(SceneCanvas &canvas)
{
    drawCloud(canvas, {104, 14, 110, 64}, pal::cloudStormBehind);
    drawCloud(canvas, {30, 28, 164, 96}, pal::cloudStorm);
    if (canvas.isSmall()) {
        // Small, the flurry thins out so the flakes do not run together.
        flakes(canvas, {{78, 138}, {118, 138}, {158, 138}}, 10);
        flakes(canvas, {{98, 170}, {138, 170}, {178, 170}}, 10);
        return;
    }
    constexpr qreal r = 9;
    flakes(canvas, {{72, 138}, {104, 138}, {136, 138}, {168, 138}}, r);
    flakes(canvas, {{88, 161}, {120, 161}, {152, 161}}, r);
    flakes(canvas, {{72, 184}, {104, 184}, {136, 184}, {168, 184}}, r);
}

void paintNoData(SceneCanvas &canvas)
{
    drawNoDataDisc(canvas, {120, 100}, 60);
}

// Night scenes: the moon takes the sun's place, behind the same clouds.

void paintClearNight(SceneCanvas &canvas)
{
    drawMoon(canvas, {112, 102}, 58);
    drawStar(canvas, {180, 50}, 10);
    drawStar(canvas, {196, 118}, 6);
    drawStar(canvas, {58, 46}, 6);
    drawStar(canvas, {166, 168}, 5);
}

void paintCloudyNight(SceneCanvas &canvas)
{
    drawMoon(canvas, {84, 70}, 46);
    drawStar(canvas, {172, 46}, 7);
    drawCloud(canvas, {58, 90, 150, 88}, pal::cloudNight);
}

// With weather falling, the moon peeks out over the upper left of the cloud.
constexpr QPointF nightMoonCentre{74, 56};
constexpr qreal nightMoonRadius = 36;
constexpr QRectF nightFallingCloud{50, 34, 160, 94};

void paintMoonBehindCloud(SceneCanvas &canvas)
{
    drawMoon(canvas, nightMoonCentre, nightMoonRadius);
    drawCloud(canvas, nightFallingCloud, pal::cloudNight);
}

void paintRainNight(SceneCanvas &canvas)
{
    paintMoonBehindCloud(canvas);
    drops(canvas, {{100, 140}, {134, 140}, {168, 140}});
    drops(canvas, {{117, 166}, {151, 166}});
}

void paintLightningNight(SceneCanvas &canvas)
{
    drawMoon(canvas, nightMoonCentre, nightMoonRadius);
    drawBolt(canvas, {106, 100, 50, 88});
    drawCloud(canvas, nightFallingCloud, pal::cloudNightStorm);
    drops(canvas, {{86, 142}, {190, 142}});
}

void paintSnowNight(SceneCanvas &canvas)
{
    paintMoonBehindCloud(canvas);
    flakes(canvas, {{96, 150}, {130, 150}, {164, 150}, {113, 178}, {147, 178}});
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

QImage scenePicture(Scene scene, QSize size)
{
    QImage image = blankImage(size);
    QPainter painter(&image);
    useSmoothPainting(painter);
    const qreal scale = std::min(qreal(size.width()) / largeSceneSize.width(),
                                 qreal(size.height()) / largeSceneSize.height());
    painter.translate((size.width() - largeSceneSize.width() * scale) / 2,
                      (size.height() - largeSceneSize.height() * scale) / 2);
    painter.scale(scale, scale);
    SceneCanvas canvas{painter, scale};
    paintScene(canvas, scene);
    return image;
}

} // namespace tervalo::artwork
