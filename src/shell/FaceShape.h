// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QRegion>
#include <QTimer>

class QWidget;

namespace tervalo {

// Pixels at most this opaque count as see-through: the faint glow and shadows around the
// pictures let the mouse through, their antialiased edges do not.
constexpr int SeeThroughAlpha = 32;

// The pixels of an image that are more opaque than `seeThrough`, as a region.
QRegion opaqueRegion(const QImage &image, int seeThrough = SeeThroughAlpha);

// What a widget window's face paints, kept as the window's input shape: the mouse reaches the
// window only there, and whatever lies under the rest of the window. Pictures and panels count
// with their painted pixels; a self-sizing label with its whole rectangle and any other label
// with the box around its text, so that a click between two letters still hits.
//
// The face is measured again, once per turn of the event loop however many changes came, when
// a control of the window is shown, hidden, moved or resized, gets another font, or a picture
// control paints a different shape; never for a mere repaint, so the clocks' ticks cost
// nothing here. Only a visible window is measured.
class FaceShape : public QObject {
public:
    explicit FaceShape(QWidget &window);

    // The painted part, in window coordinates, as last measured.
    const QRegion &region() const { return painted; }
    // The bounding rectangle of the painted part; the window's whole rectangle until the face
    // has been measured or when it paints nothing.
    QRect paintedBounds() const;
    // Measures the face as it is now, without keeping the result.
    QRegion measure() const;
    // How many times the face has been measured and its shape set.
    int measurements() const { return measured; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void schedule();
    void update();
    void apply();
    bool pictureShapeChanged(QWidget *picture);

    QWidget &window;
    QTimer pending;
    QRegion painted;
    int measured = 0;
    bool measuring = false;
    // What each picture control paints, to tell a new picture of the same shape (the clock's
    // cards) from one that changes the face.
    QHash<const QObject *, QRegion> pictureShapes;
};

} // namespace tervalo
