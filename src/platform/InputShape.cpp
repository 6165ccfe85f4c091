// SPDX-License-Identifier: MIT
#include "platform/InputShape.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cmath>
#include <vector>

namespace tervalo {

namespace {

xcb_connection_t *x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return nullptr;
    xcb_connection_t *connection = x11->connection();
    const xcb_query_extension_reply_t *shape =
        connection ? xcb_get_extension_data(connection, &xcb_shape_id) : nullptr;
    return shape && shape->present ? connection : nullptr;
}

// X counts in device pixels, the toolkit in device-independent ones.
xcb_rectangle_t devicePixels(const QRect &rect, qreal ratio)
{
    const auto scaled = [ratio](int value) { return std::lround(value * ratio); };
    const long left = scaled(rect.left()), top = scaled(rect.top());
    return {static_cast<int16_t>(left), static_cast<int16_t>(top),
            static_cast<uint16_t>(scaled(rect.left() + rect.width()) - left),
            static_cast<uint16_t>(scaled(rect.top() + rect.height()) - top)};
}

} // namespace

void setInputShape(QWindow &window, const QRegion &region)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    if (region.isEmpty()) {
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, id, 0, 0, XCB_NONE);
    } else {
        std::vector<xcb_rectangle_t> rectangles;
        rectangles.reserve(static_cast<size_t>(region.rectCount()));
        const qreal ratio = window.devicePixelRatio();
        for (const QRect &rect : region)
            rectangles.push_back(devicePixels(rect, ratio));
        xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT,
                             XCB_CLIP_ORDERING_UNSORTED, id, 0, 0,
                             static_cast<uint32_t>(rectangles.size()), rectangles.data());
    }
    xcb_flush(connection);
}

} // namespace tervalo
