// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
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

// Scenes are laid out in the large pictures' coordinates.
inline constexpr QSize largeSceneSize{240, 200};
inline constexpr QSize smallSceneSize{60, 50};

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

// The scene as a picture of the given size, scaled to fit and centred.
QImage scenePicture(Scene scene, QSize size);

} // namespace tervalo::artwork
