// SPDX-License-Identifier: MIT
#include "shell/FaceShape.h"

#include "platform/InputShape.h"
#include "shell/Controls.h"

#include <QEvent>
#include <QWidget>

#include <utility>
#include <vector>

namespace tervalo {

namespace {

// A row's runs of opaque pixels as pairs of first and past-the-last column.
using Runs = std::vector<std::pair<int, int>>;

void opaqueRuns(const QRgb *row, int width, int seeThrough, Runs &runs)
{
    runs.clear();
    for (int x = 0; x < width;) {
        while (x < width && qAlpha(row[x]) <= seeThrough)
            ++x;
        const int first = x;
        while (x < width && qAlpha(row[x]) > seeThrough)
            ++x;
        if (x > first)
            runs.emplace_back(first, x);
    }
}

// Everything a control paints by itself, in its own coordinates.
QImage drawnBy(QWidget &control)
{
    QImage drawn(control.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    control.render(&drawn, QPoint(), QRegion(), QWidget::RenderFlags());
    return drawn;
}

// The part of a label that takes the mouse, in the label's coordinates.
QRect labelArea(TLabel &label)
{
    if (label.autoSize())
        return label.rect(); // exactly its text's line
    return label.size().isEmpty() ? QRect() : opaqueRegion(drawnBy(label)).boundingRect();
}

} // namespace

// Rows with the same runs as the row above extend its band, so a picture of large plain areas
// comes out as few rectangles; the rectangles are already in the order and form a region keeps.
QRegion opaqueRegion(const QImage &image, int seeThrough)
{
    const QImage pixels = image.format() == QImage::Format_ARGB32 ||
                                  image.format() == QImage::Format_ARGB32_Premultiplied
                              ? image
                              : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<QRect> rects;
    Runs band, row;
    int bandTop = 0;
    const auto closeBand = [&](int bottom) {
        for (const auto &[first, end] : band)
            rects.emplace_back(first, bandTop, end - first, bottom - bandTop);
    };
    for (int y = 0; y < pixels.height(); ++y) {
        opaqueRuns(reinterpret_cast<const QRgb *>(pixels.constScanLine(y)), pixels.width(),
                   seeThrough, row);
        if (row == band)
            continue;
        closeBand(y);
        std::swap(band, row);
        bandTop = y;
    }
    closeBand(pixels.height());
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

FaceShape::FaceShape(QWidget &window)
    : QObject(&window)
    , window(window)
{
    pending.setSingleShot(true);
    pending.setInterval(0);
    connect(&pending, &QTimer::timeout, this, &FaceShape::update);
    window.installEventFilter(this);
    for (QObject *child : window.children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (control && !control->isWindow())
            control->installEventFilter(this);
    }
}

QRect FaceShape::paintedBounds() const
{
    return measured > 0 && !painted.isEmpty() ? painted.boundingRect() : window.rect();
}

QRegion FaceShape::measure() const
{
    if (window.size().isEmpty())
        return {};
    QImage face(window.size(), QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    window.render(&face, QPoint(), QRegion(), QWidget::DrawChildren);
    QRegion region = opaqueRegion(face);
    for (QObject *child : window.children()) {
        auto *label = dynamic_cast<TLabel *>(child);
        if (label && !label->isHidden())
            region |= labelArea(*label).translated(label->pos()) & window.rect();
    }
    return region;
}

bool FaceShape::eventFilter(QObject *watched, QEvent *event)
{
    if (measuring) // rendering the face sends the events it had pending
        return false;
    const QEvent::Type type = event->type();
    if (watched == &window) {
        if (type == QEvent::Show || type == QEvent::Resize)
            schedule();
        else if (type == QEvent::WinIdChange)
            apply(); // a window made anew has no shape yet
        return false;
    }
    switch (type) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::FontChange:
        schedule();
        break;
    case QEvent::Resize:
        if (pictureShapes.contains(watched))
            pictureShapeChanged(static_cast<QWidget *>(watched));
        schedule();
        break;
    default:
        if (type == PictureChange && pictureShapeChanged(static_cast<QWidget *>(watched)))
            schedule();
        break;
    }
    return false;
}

bool FaceShape::pictureShapeChanged(QWidget *picture)
{
    measuring = true;
    QRegion shape = picture->size().isEmpty() ? QRegion() : opaqueRegion(drawnBy(*picture));
    measuring = false;
    QRegion &known = pictureShapes[picture];
    if (shape == known)
        return false;
    known = std::move(shape);
    return true;
}

void FaceShape::schedule()
{
    if (window.isVisible())
        pending.start();
}

void FaceShape::update()
{
    if (!window.isVisible())
        return;
    measuring = true;
    painted = measure();
    measuring = false;
    ++measured;
    apply();
}

void FaceShape::apply()
{
    if (measured > 0 && window.windowHandle())
        setInputShape(*window.windowHandle(), painted);
}

} // namespace tervalo
