// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace tervalo::artwork {

// The program icon: a sun partly behind a cloud on a rounded dark-blue tile, 256 × 256.
QImage programIcon();

} // namespace tervalo::artwork
