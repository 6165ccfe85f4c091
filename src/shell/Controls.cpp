// SPDX-License-Identifier: MIT
#include "shell/Controls.h"

#include "platform/AppError.h"
#include "presentation/Pictures.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

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

// Spreads the alpha of a premultiplied picture over its neighbours, in the tone given: a few
// passes of a small box blur, close to a gaussian one, then strengthened so that the halo is
// dense next to the strokes and fades out at its reach.
void blurAlpha(QImage &image, int passes, const QColor &tone)
{
    const int width = image.width();
    const int height = image.height();
    std::vector<int> alpha(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            alpha[static_cast<size_t>(y) * width + x] = qAlpha(image.pixel(x, y));
    std::vector<int> spread(alpha.size());
    const auto at = [&](std::vector<int> &values, int x, int y) -> int & {
        return values[static_cast<size_t>(y) * width + x];
    };
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                at(spread, x, y) = (at(alpha, std::max(0, x - 1), y) + at(alpha, x, y) +
                                    at(alpha, std::min(width - 1, x + 1), y)) /
                                   3;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                at(alpha, x, y) = (at(spread, x, std::max(0, y - 1)) + at(spread, x, y) +
                                   at(spread, x, std::min(height - 1, y + 1))) /
                                  3;
    }
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int value = std::min(255, at(alpha, x, y) * 4) * tone.alpha() / 255;
            line[x] = qPremultiply(qRgba(tone.red(), tone.green(), tone.blue(), value));
        }
    }
}

// The halo of a text: the text in the halo's tone, blurred, in `area` of the painter's device,
// rendered at its device pixels.
QImage haloImage(QPainter &painter, const QRect &area, QPointF baselineStart, const QString &text,
                 const QColor &halo)
{
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage image((QSizeF(area.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter textPainter(&image);
        textPainter.setFont(painter.font());
        textPainter.setPen(Qt::black);
        textPainter.drawText(baselineStart - area.topLeft(), text);
    }
    blurAlpha(image, static_cast<int>(std::lround(HaloReach * ratio)), halo);
    return image;
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

void TLabel::setRoom(int width)
{
    if (width == roomWidth)
        return;
    roomWidth = width;
    fitToText();
}

void TLabel::setHalo(const QColor &tone)
{
    if (tone == haloTone)
        return;
    haloTone = tone;
    haloReplaced();
    update();
}

void TLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToText();
}

void TLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (!selfSizing) // a fixed-size label's room follows its width
        fitToText();
}

void TLabel::fitToText()
{
    const int limit = selfSizing ? roomWidth : std::min(roomWidth, width());
    FittedText fit = fitText(text(), font(), limit);
    // A new whole text in the same font is repainted by the label itself.
    const bool changed = fit.font != fitted.font || fit.whole != fitted.whole ||
                         (!fit.whole && fit.shown != fitted.shown);
    fitted = std::move(fit);
    showWholeTextInTooltip();
    if (selfSizing)
        resize(fitted.width, QFontMetrics(font()).height());
    if (changed)
        update();
}

// While the text is cut its tooltip shows it whole; the label's own tooltip comes back when the
// text fits again. A tooltip set by someone else meanwhile becomes the label's own.
void TLabel::showWholeTextInTooltip()
{
    if (!fitted.whole) {
        if (!tooltipOfItsOwn || toolTip() != tooltipSetHere)
            tooltipOfItsOwn = toolTip();
        tooltipSetHere = text();
        setToolTip(tooltipSetHere);
    } else if (tooltipOfItsOwn) {
        if (toolTip() == tooltipSetHere)
            setToolTip(*tooltipOfItsOwn);
        tooltipOfItsOwn.reset();
    }
}

void TLabel::paintEvent(QPaintEvent *event)
{
    if (!selfSizing && fitted.width > width()) // resized while hidden, with no resize event
        fitToText();
    // A fitted text keeps the baseline of the label's own font, so a smaller text stays in line
    // with its neighbours.
    if (fitted.whole && fitted.font == font() && !haloTone.isValid()) {
        QLabel::paintEvent(event);
        return;
    }
    const QRect area = contentsRect();
    const QFontMetrics own(font());
    const int baseline = area.top() + (area.height() - own.height()) / 2 + own.ascent();
    int left = area.left();
    if (alignment() & Qt::AlignHCenter)
        left += (area.width() - fitted.width) / 2;
    else if (alignment() & Qt::AlignRight)
        left += area.width() - fitted.width;
    QPainter painter(this);
    painter.setFont(fitted.font);
    drawTextWithHalo(painter, QPointF(left, baseline), fitted.shown,
                     palette().color(foregroundRole()), haloTone);
}

void drawTextWithHalo(QPainter &painter, QPointF baselineStart, const QString &text,
                      const QColor &colour, const QColor &halo)
{
    if (halo.isValid() && !text.isEmpty()) {
        const QRect area =
            QFontMetrics(painter.font())
                .boundingRect(text)
                .translated(baselineStart.toPoint())
                .adjusted(-HaloReach - 1, -HaloReach - 1, HaloReach + 1, HaloReach + 1);
        painter.drawImage(area.topLeft(), haloImage(painter, area, baselineStart, text, halo));
    }
    painter.setPen(colour);
    painter.drawText(baselineStart, text);
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

void ClockLabel::haloReplaced()
{
    glyphs.clear();
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
    const qreal ratio = devicePixelRatioF();
    if (ratio != glyphsRatio) { // moved to a screen of another scale: render them sharp there
        glyphs.clear();
        glyphsRatio = ratio;
    }
    const auto found = glyphs.constFind(character);
    if (found != glyphs.constEnd())
        return *found;
    const QFontMetricsF metrics(font());
    const QString text(character);
    // Only the ink, and a pixel around it for the antialiased edge (and the halo's reach): the
    // less is blended at each tick the better.
    const int margin = 1 + (halo().isValid() ? HaloReach : 0);
    const QRect ink =
        metrics.tightBoundingRect(text).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    // Rendered at device pixels, so the clock is as sharp as any text at every scale.
    QImage picture(ink.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    if (!ink.isEmpty()) {
        QPainter painter(&picture);
        painter.setFont(font());
        drawTextWithHalo(painter, -ink.topLeft(), text, palette().color(QPalette::WindowText),
                         halo());
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
    QEvent changed(PictureChange);
    QCoreApplication::sendEvent(this, &changed);
}

void TImage::setScaledToFit(bool on)
{
    scaled = on;
    update();
    QEvent changed(PictureChange);
    QCoreApplication::sendEvent(this, &changed);
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
