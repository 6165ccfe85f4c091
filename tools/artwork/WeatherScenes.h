// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>

namespace tervalo::artwork {

struct SceneCanvas;

enum class Scene {
    Sun,
    SunCloud,
    Cloudy,
    Overcast,
    ShortRain,
    Rain,
    Lightning,
    RainSnow,
    Snow,
    HeavySnow,
    NoData,
    ClearNight,
    CloudyNight,
    RainNight,
    LightningNight,
    SnowNight,
};

struct NamedScene {
    const char *name;
    Scene scene;
};

// A picture size, and the part of the picture a scene's ink has to stay in because the widget
// draws text over the rest.
struct SceneFrame {
    QSize size;
    QRectF motifBox;
};

// Scenes are laid out in the large pictures' coordinates, inside the large motif box. The
// widget draws a large picture unscaled from its top left corner, clipped to 220 pixels wide,
// with the temperature, wind and humidity 16 pixels left of it and the town and the condition
// from y = 125 down; one look shrinks the picture to three quarters and writes a line of text
// across it from y = 175 (of the picture) down.
inline constexpr SceneFrame largeFrame{{240, 200}, {60, 0, 160, 120}};
// A small picture sits at the top of its day's box, with the day's name from y = 45 down.
inline constexpr SceneFrame smallFrame{{60, 50}, {0, 0, 60, 44}};

// The day scenes by the name their large ("B…") and small ("SM…") pictures end with.
inline constexpr NamedScene dayScenes[] = {
    {"SUN", Scene::Sun},
    {"SUNCLOUD", Scene::SunCloud},
    {"CLOUDY", Scene::Cloudy},
    {"PASMURNO", Scene::Overcast},
    {"SHORTRAIN", Scene::ShortRain},
    {"RAIN", Scene::Rain},
    {"LIGHTNING", Scene::Lightning},
    {"RAINSNOW", Scene::RainSnow},
    {"SNOW", Scene::Snow},
    {"HEAVYSNOW", Scene::HeavySnow},
    {"NA", Scene::NoData},
};

// The night scenes by their pictures' names; they only come large.
inline constexpr NamedScene nightScenes[] = {
    {"SUN", Scene::ClearNight}, {"CLOUDY", Scene::CloudyNight},
    {"RAIN", Scene::RainNight}, {"LIGHTNING", Scene::LightningNight},
    {"SNOW", Scene::SnowNight},
};

// Paints the scene in the large pictures' coordinates.
void paintScene(SceneCanvas &canvas, Scene scene);

// The scene as a picture of the frame's size, its motif box scaled to fit the frame's and
// centred in it, at `ratio` image pixels per picture pixel.
QImage scenePicture(Scene scene, const SceneFrame &frame, qreal ratio = 1);

} // namespace tervalo::artwork
