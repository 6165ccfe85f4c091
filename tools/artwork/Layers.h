// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QString>

#include <functional>

class QPainter;

// Image helpers shared by all the artwork: blank canvases, soft (blurred) shapes for shadows
// and glows, and saving in the format the widget loads.
namespace tervalo::artwork {

// A fully transparent image to paint on, premultiplied for fast painting.
QImage blankImage(QSize size);

// A picture of `size` drawn at `ratio` image pixels per picture pixel: `paint` draws in the
// picture's own coordinates on a painter already scaled by `ratio`, so that a 2× picture is the
// same drawing with twice the detail, never an enlarged copy.
QImage paintedPicture(QSize size, qreal ratio, const std::function<void(QPainter &)> &paint);

// Turns on antialiasing and smooth scaling, which every picture is drawn with.
void useSmoothPainting(QPainter &painter);

// Blurs the image in place: three box passes each way, close to a Gaussian.
void blur(QImage &image, int radius);

// Paints the path, given in the painter's current coordinates and moved by offset, blurred by
// blurRadius (also in those coordinates): a drop shadow or a glow. The painter must paint on a
// QImage; its clipping applies.
void paintSoftShape(QPainter &painter, const QPainterPath &path, const QColor &color,
                    qreal blurRadius, QPointF offset = {});

// Saves the picture as an 8-bit RGBA PNG. Returns false when the file cannot be written.
bool savePng(const QImage &image, const QString &path);

} // namespace tervalo::artwork
