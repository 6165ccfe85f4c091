// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

namespace tervalo::artwork {

// The sizes a desktop asks a program's icon in, for menus, panels, the notification area and
// the software centre.
inline constexpr int programIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The program icon at `size` × `size`: a sun behind a cloud, outlined in dark blue so that it
// reads on light panels as on dark ones, on a transparent ground. Each size is drawn for
// itself: the small ones lose the rays and the shading and keep whole-pixel outlines.
QImage programIcon(int size);

} // namespace tervalo::artwork
