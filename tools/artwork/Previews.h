// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QSize>

// Miniatures of the widget in each look, for the settings dialog to show beside each choice.
namespace tervalo::artwork {

enum class Preview {
    ClassicWeather,
    ClassicClock,
    DigitalWeather,
    DigitalClock,
    MinimalWeather,
    MinimalClock,
};

struct NamedPreview {
    const char *name;
    Preview preview;
    QSize size;
};

inline constexpr NamedPreview previews[] = {
    {"CLSW", Preview::ClassicWeather, {165, 79}}, {"CLSC", Preview::ClassicClock, {165, 60}},
    {"DITW", Preview::DigitalWeather, {165, 73}}, {"DITC", Preview::DigitalClock, {165, 52}},
    {"MNLW", Preview::MinimalWeather, {160, 20}}, {"MNLC", Preview::MinimalClock, {160, 25}},
};

// The miniature at `ratio` image pixels per picture pixel.
QImage previewPicture(const NamedPreview &preview, qreal ratio = 1);

} // namespace tervalo::artwork
