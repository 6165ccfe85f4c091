// SPDX-License-Identifier: MIT
#pragma once

#include <QRegion>

class QWindow;

namespace tervalo {

// Makes a top-level window take the mouse only over `region`, in the window's coordinates:
// elsewhere presses and moves go to whatever lies beneath. Only the input shape changes; what
// the window shows is not clipped, so antialiased edges stay smooth. An empty region gives the
// window back its whole rectangle. Does nothing on a platform without input shapes (anything
// but X11, e.g. offscreen).
void setInputShape(QWindow &window, const QRegion &region);

} // namespace tervalo
