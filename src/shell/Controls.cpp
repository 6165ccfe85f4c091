// SPDX-License-Identifier: MIT
#include "shell/Controls.h"

#include "platform/AppError.h"
#include "presentation/Pictures.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace tervalo {

namespace {

const char *const EventsProperty = "tervaloControlEvents";

// Draws a picture, from `source` on, into `target` at its own size, in bands short enough for
// the raster engine to blend on this thread: it splits taller blends across the toolkit's
// thread pool, whose threads would then be woken at every tick of the clock.
void drawInBands(QPainter &painter, const QRect &target, const QImage &picture, QPoint source)
{
    constexpr int BandRows = 64;
    const qreal ratio = picture.devicePixelRatio();
    for (int top = 0; top < target.height(); top += BandRows) {
        const int rows = std::min(BandRows, target.height() - top);
        const QRectF band(target.left(), target.top() + top, target.width(), rows);
        const QRectF from(QPointF(source.x(), source.y() + top) * ratio,
                          QSizeF(target.width(), rows) * ratio);
        painter.drawImage(band, picture, from);
    }
}

} // namespace

void setControlEvents(QWidget *control, int events)
{
    control->setProperty(EventsProperty, events);
}

int controlEvents(const QObject *control)
{
    return control->property(EventsProperty).toInt();
}

TLabel::TLabel(const QString &text, QWidget *parent)
    : QLabel(parent)
{
    // What the forecast service and the town directory send is shown as it is, never as markup.
    setTextFormat(Qt::PlainText);
    QLabel::setText(text);
    setAttribute(Qt::WA_TranslucentBackground);
    fitToText();
}

void TLabel::setAutoSize(bool on)
{
    selfSizing = on;
    fitToText();
}

void TLabel::setText(const QString &value)
{
    if (value == text())
        return;
    const QString previous = text();
    QLabel::setText(value);
    fitToText();
    textReplaced(previous);
}

void TLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToText();
}

void TLabel::fitToText()
{
    if (!selfSizing)
        return;
    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(text()), metrics.height());
}

ClockLabel::ClockLabel(const QString &text, QWidget *parent)
    : TLabel(text, parent)
{
    keepContentsEmpty();
}

// The label repaints its contents rectangle whenever its text changes. A bottom margin taller
// than any label keeps that rectangle empty, and textReplaced repaints the changed characters
// instead; paintEvent draws into the whole label. The style sets the margins again when it
// polishes the label. (The toolkit keeps margins in 16 bits.)
void ClockLabel::keepContentsEmpty()
{
    constexpr int TallerThanAnyLabel = 30000;
    setContentsMargins(0, 0, 0, TallerThanAnyLabel);
}

bool ClockLabel::event(QEvent *event)
{
    const bool handled = TLabel::event(event);
    if (event->type() == QEvent::Polish)
        keepContentsEmpty();
    return handled;
}

void ClockLabel::textReplaced(const QString &previous)
{
    qsizetype first = 0;
    const QString current = text();
    while (first < previous.size() && first < current.size() &&
           previous.at(first) == current.at(first))
        ++first;
    update(inkFrom(previous, first) | inkFrom(current, first));
}

void ClockLabel::changeEvent(QEvent *event)
{
    TLabel::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::StyleChange:
        glyphs.clear();
        break;
    default:
        break;
    }
}

// Characters are drawn at whole pixels: a picture drawn at a fraction of a pixel would be
// resampled at every tick.
const ClockLabel::Glyph &ClockLabel::glyph(QChar character)
{
    const auto found = glyphs.constFind(character);
    if (found != glyphs.constEnd())
        return *found;
    const QFontMetricsF metrics(font());
    const QString text(character);
    // Only the ink, and a pixel around it for the antialiased edge: the less is blended at
    // each tick the better.
    const QRect ink = metrics.tightBoundingRect(text).toAlignedRect().adjusted(-1, -1, 1, 1);
    const qreal ratio = devicePixelRatioF();
    QImage picture(ink.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    if (!ink.isEmpty()) {
        QPainter painter(&picture);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(-ink.topLeft(), text);
    }
    return *glyphs.insert(
        character, Glyph{std::move(picture), ink.topLeft(), metrics.horizontalAdvance(text)});
}

// Calls `place` with each character's glyph and where its picture goes, as a label would lay
// the text out at its top-left corner.
template <typename Place> void ClockLabel::layOut(const QString &shown, Place place)
{
    const int baseline = QFontMetrics(font()).ascent();
    qreal pen = 0;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const Glyph &drawn = glyph(shown.at(i));
        place(i, drawn, QPoint(qRound(pen), baseline) + drawn.offset);
        pen += drawn.advance;
    }
}

QRect ClockLabel::inkFrom(const QString &shown, qsizetype first)
{
    QRect ink;
    layOut(shown, [&](qsizetype i, const Glyph &drawn, QPoint at) {
        if (i >= first)
            ink |= QRect(at, drawn.picture.deviceIndependentSize().toSize());
    });
    return ink;
}

void ClockLabel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    layOut(text(), [&](qsizetype, const Glyph &drawn, QPoint at) {
        const QRect target(at, drawn.picture.deviceIndependentSize().toSize());
        if (event->rect().intersects(target))
            drawInBands(painter, target, drawn.picture, QPoint(0, 0));
    });
}

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void TImage::setPicture(const QString &pictureName)
{
    if (pictureName.compare(name, Qt::CaseInsensitive) == 0 && !image.isNull())
        return;
    const qreal ratio = devicePixelRatioF();
    QImage loaded = loadPicture(pictureName, ratio);
    if (loaded.isNull() && !pictureName.isEmpty())
        throw AppError(QStringLiteral("Resource %1 not found").arg(pictureName));
    name = pictureName;
    image = std::move(loaded);
    loadedFor = ratio;
    update();
}

void TImage::setScaledToFit(bool on)
{
    scaled = on;
    update();
}

void TImage::drawFor(qreal devicePixelRatio)
{
    if (devicePixelRatio == loadedFor || image.isNull())
        return;
    image = loadPicture(name, devicePixelRatio);
    loadedFor = devicePixelRatio;
}

bool TImage::event(QEvent *event)
{
    // Sent to every control of a window that moved to another screen (and, from Qt 6.6, when
    // the screen's ratio changes): the new drawing is loaded now rather than at the next paint.
    if (event->type() == QEvent::ScreenChangeInternal
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        || event->type() == QEvent::DevicePixelRatioChange
#endif
    ) {
        drawFor(devicePixelRatioF());
        update();
    }
    return QWidget::event(event);
}

void TImage::paintEvent(QPaintEvent *event)
{
    if (image.isNull())
        return;
    QPainter painter(this);
    // What this paint really draws at: the window's backing store, or the picture the control
    // is rendered into, which may have a ratio of its own.
    const qreal ratio = painter.deviceTransform().m11();
    drawFor(ratio);
    const QSize natural = image.deviceIndependentSize().toSize();
    QSize size = natural;
    if (scaled && (size.width() > width() || size.height() > height()))
        size.scale(this->size(), Qt::KeepAspectRatio);
    // A 2x drawing on a screen of 1.25 or 1.5 is shrunk, which needs smoothing as any scaling.
    if (size != natural || image.devicePixelRatio() != ratio)
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (size != natural) {
        painter.drawImage(QRect(QPoint(0, 0), size), image);
        return;
    }
    const QRect drawn = event->rect() & QRect(QPoint(0, 0), size);
    drawInBands(painter, drawn, image, drawn.topLeft());
}

} // namespace tervalo
