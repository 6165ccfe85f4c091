// SPDX-License-Identifier: MIT
#include "Layers.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tervalo::artwork {

namespace {

using Channels = std::array<int, 4>;

// One box pass along every row (or every column) of a premultiplied image. Pixels beyond the
// edges count as transparent, so a shape fades out evenly near the border.
void boxPass(QImage &image, int radius, bool alongRows)
{
    const int lines = alongRows ? image.height() : image.width();
    const int length = alongRows ? image.width() : image.height();
    const int window = 2 * radius + 1;
    std::vector<Channels> sums(length + 1);
    for (int line = 0; line < lines; ++line) {
        auto pixel = [&](int i) -> QRgb & {
            const int x = alongRows ? i : line;
            const int y = alongRows ? line : i;
            return reinterpret_cast<QRgb *>(image.scanLine(y))[x];
        };
        sums[0] = {0, 0, 0, 0};
        for (int i = 0; i < length; ++i) {
            const QRgb c = pixel(i);
            const Channels &s = sums[i];
            sums[i + 1] = {s[0] + qAlpha(c), s[1] + qRed(c), s[2] + qGreen(c), s[3] + qBlue(c)};
        }
        for (int i = 0; i < length; ++i) {
            const Channels &hi = sums[std::min(length, i + radius + 1)];
            const Channels &lo = sums[std::max(0, i - radius)];
            auto mean = [&](int k) { return (hi[k] - lo[k] + window / 2) / window; };
            pixel(i) = qRgba(mean(1), mean(2), mean(3), mean(0));
        }
    }
}

qreal scaleOf(const QTransform &transform)
{
    return std::sqrt(std::abs(transform.determinant()));
}

} // namespace

QImage blankImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage paintedPicture(QSize size, qreal ratio, const std::function<void(QPainter &)> &paint)
{
    QImage image = blankImage((QSizeF(size) * ratio).toSize());
    QPainter painter(&image);
    useSmoothPainting(painter);
    painter.scale(ratio, ratio);
    paint(painter);
    return image;
}

void useSmoothPainting(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

void blur(QImage &image, int radius)
{
    if (radius < 1)
        return;
    // Three box passes of half the radius fall off like a Gaussian; the faint tail reaches
    // one and a half times the radius.
    const int passRadius = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(image, passRadius, true);
        boxPass(image, passRadius, false);
    }
}

void paintSoftShape(QPainter &painter, const QPainterPath &path, const QColor &color,
                    qreal blurRadius, QPointF offset)
{
    const QTransform transform = painter.worldTransform();
    QImage layer = blankImage(QSize(painter.device()->width(), painter.device()->height()));
    {
        QPainter layerPainter(&layer);
        useSmoothPainting(layerPainter);
        layerPainter.setTransform(transform);
        layerPainter.translate(offset);
        layerPainter.fillPath(path, color);
    }
    blur(layer, qRound(blurRadius * scaleOf(transform)));
    painter.save();
    painter.resetTransform();
    painter.drawImage(0, 0, layer);
    painter.restore();
}

bool savePng(const QImage &image, const QString &path)
{
    return image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG");
}

} // namespace tervalo::artwork
