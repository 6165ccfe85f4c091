// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QStringList>

// A contact sheet for checking the artwork by eye: the pictures side by side over the dark
// colour the widget's glass usually shows, each enlarged pixel for pixel and labelled.
namespace tervalo::artwork {

QImage contactSheet(const QStringList &picturePaths, int zoom, int columns);

} // namespace tervalo::artwork
