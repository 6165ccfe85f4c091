// SPDX-License-Identifier: MIT
#include "shell/Controls.h"

#include "platform/AppError.h"
#include "presentation/Pictures.h"

#include <QEvent>
#include <QPainter>

namespace tervalo {

namespace {
const char *const EventsProperty = "tervaloControlEvents";
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
    QLabel::setText(value);
    fitToText();
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

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void TImage::setPicture(const QString &pictureName)
{
    if (pictureName.compare(name, Qt::CaseInsensitive) == 0 && !image.isNull())
        return;
    QImage loaded = loadPicture(pictureName);
    if (loaded.isNull() && !pictureName.isEmpty())
        throw AppError(QStringLiteral("Resource %1 not found").arg(pictureName));
    name = pictureName;
    image = std::move(loaded);
    update();
}

void TImage::setScaledToFit(bool on)
{
    scaled = on;
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (image.isNull())
        return;
    QPainter painter(this);
    QSize size = image.size();
    if (scaled && (size.width() > width() || size.height() > height()))
        size.scale(this->size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, size != image.size());
    painter.drawImage(QRect(QPoint(0, 0), size), image);
}

} // namespace tervalo
