// SPDX-License-Identifier: MIT
#include "Previews.h"

#include "Backgrounds.h"
#include "FlipCards.h"
#include "Layers.h"
#include "Palette.h"
#include "WeatherParts.h"
#include "WeatherScenes.h"

#include <QPainter>

#include <iterator>

namespace tervalo::artwork {

namespace {

namespace pal = palette;

// What the miniatures show: a summer evening in Moscow.
const QString shownTime = QStringLiteral("20:08");
const QString shownTemperature = QStringLiteral("+15°");
const QString shownCity = QStringLiteral("Москва");
const QString shownDetails = QStringLiteral("Москва   ясно   ветер 3 м/с   745 мм");

QFont thinFont(qreal pixelSize, QFont::Weight weight = QFont::Light)
{
    QFont font(QStringLiteral("Roboto"));
    font.setWeight(weight);
    font.setPixelSize(qRound(pixelSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void panel(QPainter &painter, const QRectF &rect, Skin skin)
{
    paintPanel(painter, rect, skin, panelCornerRadius(rect.height()));
}

// A weather scene shrunk so its motif box starts at `topLeft` and is `width` wide.
void miniScene(QPainter &painter, Scene scene, QPointF topLeft, qreal width)
{
    const QRectF &motif = largeFrame.motifBox;
    const qreal scale = width / motif.width();
    painter.save();
    painter.translate(topLeft - motif.topLeft() * scale);
    painter.scale(scale, scale);
    SceneCanvas canvas{painter, scale};
    paintScene(canvas, scene);
    painter.restore();
}

// A flip card shrunk to `height`, its picture's box starting at `topLeft`. Returns its width.
qreal miniCard(QPainter &painter, const QString &figures, QPointF topLeft, qreal height)
{
    const qreal scale = height / flipCardSize.height();
    painter.save();
    painter.translate(topLeft);
    painter.scale(scale, scale);
    paintFlipCard(painter, figures);
    painter.restore();
    return flipCardSize.width() * scale;
}

// Two cards side by side, "20" and "08", starting at `left`. Returns where they end.
qreal miniCardPair(QPainter &painter, qreal left, qreal top, qreal height)
{
    // The card pictures' transparent margins keep a small gap between the two cards.
    const qreal width = miniCard(painter, shownTime.left(2), {left, top}, height);
    miniCard(painter, shownTime.right(2), {left + width, top}, height);
    return left + 2 * width;
}

// A line of small text, shown as a faint rounded bar.
void textBar(QPainter &painter, const QRectF &rect)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 0x70));
    painter.drawRoundedRect(rect, rect.height() / 2, rect.height() / 2);
}

void text(QPainter &painter, const QRectF &rect, const QFont &font, const QColor &color,
          const QString &string, Qt::Alignment alignment = Qt::AlignCenter)
{
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(rect, alignment, string);
}

void forecastStrip(QPainter &painter, const QRectF &rect)
{
    panel(painter, rect, Skin::Classic);
    static constexpr Scene days[] = {Scene::SunCloud, Scene::Rain, Scene::Cloudy, Scene::Sun};
    const qreal dayWidth = rect.width() / std::size(days);
    const qreal iconWidth = rect.height() * 1.05;
    for (std::size_t day = 0; day < std::size(days); ++day) {
        const qreal left = rect.left() + day * dayWidth + 4;
        const qreal iconTop = rect.center().y() - iconWidth * 5 / 12;
        miniScene(painter, days[day], {left, iconTop}, iconWidth);
        textBar(painter, QRectF(left + iconWidth + 1, rect.center().y() - 1.5, 13, 3));
    }
}

void paintClassicWeather(QPainter &painter, QSize size)
{
    const QRectF main(0, 0, size.width(), 57);
    panel(painter, main, Skin::Classic);
    const qreal cardsEnd = miniCardPair(painter, 1, 1, main.height() - 2);
    miniScene(painter, Scene::SunCloud, {cardsEnd + 1, 2}, 40);
    text(painter, QRectF(cardsEnd + 1, 34, main.right() - cardsEnd - 4, 12), thinFont(12),
         pal::previewText, shownTemperature, Qt::AlignLeft | Qt::AlignVCenter);
    textBar(painter, QRectF(cardsEnd + 2, 48, 52, 3));
    forecastStrip(painter, QRectF(0, 59, size.width(), size.height() - 59));
}

void paintClassicClock(QPainter &painter, QSize size)
{
    const QRectF main(QPointF(0, 0), size);
    panel(painter, main, Skin::Classic);
    const qreal height = main.height() - 2;
    const qreal width = 2 * flipCardSize.width() * height / flipCardSize.height();
    miniCardPair(painter, (main.width() - width) / 2, 1, height);
}

void paintDigitalWeather(QPainter &painter, QSize size)
{
    const QRectF main(QPointF(0, 0), size);
    panel(painter, main, Skin::Modern);
    text(painter, QRectF(6, 2, 100, 52), thinFont(40, QFont::Thin), pal::previewText, shownTime,
         Qt::AlignLeft | Qt::AlignVCenter);
    miniScene(painter, Scene::SunCloud, {112, 1}, 40);
    text(painter, QRectF(108, 34, 50, 18), thinFont(15), pal::previewText, shownTemperature);
    text(painter, QRectF(6, 55, main.width() - 12, 13), thinFont(9), pal::previewFaintText,
         shownDetails, Qt::AlignLeft | Qt::AlignVCenter);
}

void paintDigitalClock(QPainter &painter, QSize size)
{
    const QRectF main(QPointF(0, 0), size);
    panel(painter, main, Skin::Modern);
    text(painter, main, thinFont(42, QFont::Thin), pal::previewText, shownTime);
}

void paintMinimalWeather(QPainter &painter, QSize size)
{
    const QRectF main(QPointF(0, 0), size);
    panel(painter, main, Skin::Modern);
    const QString line =
        shownTime + QStringLiteral("  ") + shownTemperature + QStringLiteral("  ") + shownCity;
    text(painter, main, thinFont(13), pal::previewText, line);
}

void paintMinimalClock(QPainter &painter, QSize size)
{
    const QRectF main(QPointF(0, 0), size);
    panel(painter, main, Skin::Modern);
    text(painter, main, thinFont(19), pal::previewText, shownTime);
}

void paintPreview(QPainter &painter, Preview preview, QSize size)
{
    switch (preview) {
    case Preview::ClassicWeather:
        return paintClassicWeather(painter, size);
    case Preview::ClassicClock:
        return paintClassicClock(painter, size);
    case Preview::DigitalWeather:
        return paintDigitalWeather(painter, size);
    case Preview::DigitalClock:
        return paintDigitalClock(painter, size);
    case Preview::MinimalWeather:
        return paintMinimalWeather(painter, size);
    case Preview::MinimalClock:
        return paintMinimalClock(painter, size);
    }
}

} // namespace

QImage previewPicture(const NamedPreview &preview, qreal ratio)
{
    return paintedPicture(preview.size, ratio, [&](QPainter &painter) {
        paintPreview(painter, preview.preview, preview.size);
    });
}

} // namespace tervalo::artwork
