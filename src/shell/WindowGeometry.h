// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>

namespace tervalo {

// How close to an edge of the work area a dragged window snaps to it.
constexpr int SnapDistance = 10;

// Where a window dragged to `window` lands: each of its edges within the snap distance of the
// same edge of the work area is put on it.
QPoint snappedToArea(const QRect &window, const QRect &workArea, int distance = SnapDistance);
// The same for a window that paints only `painted` (in window coordinates): the painted edges
// snap, and the window lands where they put it. A window that paints nothing snaps by its own
// edges.
QPoint snappedToArea(const QRect &window, const QRect &painted, const QRect &workArea,
                     int distance = SnapDistance);

// The left edge that centres a window in the work area's width, counted from the screen's
// left edge (the work area's own left is not added); the division truncates toward zero, so
// a window 3 pixels wider than the area lands at -1.
int topCentreLeft(int workAreaWidth, int windowWidth);

} // namespace tervalo
