// SPDX-License-Identifier: MIT
#include "shell/WindowGeometry.h"

#include <cstdlib>

namespace tervalo {

namespace {

// One axis: the window's start and length against the area's.
int snapped(int start, int length, int areaStart, int areaLength, int distance)
{
    const int end = start + length;
    const int areaEnd = areaStart + areaLength;
    if (std::abs(start - areaStart) <= distance)
        return areaStart;
    if (std::abs(end - areaEnd) <= distance)
        return areaEnd - length;
    return start;
}

} // namespace

QPoint snappedToArea(const QRect &window, const QRect &workArea, int distance)
{
    return {snapped(window.x(), window.width(), workArea.x(), workArea.width(), distance),
            snapped(window.y(), window.height(), workArea.y(), workArea.height(), distance)};
}

QPoint snappedToArea(const QRect &window, const QRect &painted, const QRect &workArea, int distance)
{
    if (painted.isEmpty())
        return snappedToArea(window, workArea, distance);
    const QRect paintedOnScreen = painted.translated(window.topLeft());
    return snappedToArea(paintedOnScreen, workArea, distance) - painted.topLeft();
}

int topCentreLeft(int workAreaWidth, int windowWidth)
{
    return (workAreaWidth - windowWidth) / 2;
}

} // namespace tervalo
