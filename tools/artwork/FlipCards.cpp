// SPDX-License-Identifier: MIT
#include "FlipCards.h"

#include "Layers.h"
#include "Palette.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>

namespace tervalo::artwork {

namespace {

namespace pal = palette;

// The card leaves room around it for its shadow, which falls a little downwards.
constexpr QRectF card{5, 3, 126, 138};
constexpr qreal cornerRadius = 10;
constexpr qreal splitY = card.top() + card.height() / 2;

// The hinges sit in notches cut into both sides at the split.
constexpr qreal notchDepth = 3.5;
constexpr qreal notchHalfHeight = 5.5;

// How much of the card the figures fill.
constexpr qreal figureHeightShare = 0.68;
constexpr qreal figuresWidthShare = 0.86;

QPainterPath roundedCard()
{
    QPainterPath path;
    path.addRoundedRect(card, cornerRadius, cornerRadius);
    return path;
}

QRectF notchAt(qreal x)
{
    return {x - notchDepth, splitY - notchHalfHeight, 2 * notchDepth, 2 * notchHalfHeight};
}

QPainterPath notchedCard()
{
    QPainterPath notches;
    for (const qreal x : {card.left(), card.right()})
        notches.addRoundedRect(notchAt(x), notchDepth, notchDepth);
    return roundedCard().subtracted(notches);
}

QFont makeFigureFont()
{
    QFont font(QStringLiteral("Roboto Condensed"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(100);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QString found = QFontInfo(font).family();
    if (found != font.family())
        std::fprintf(stderr, "warning: Roboto Condensed is missing; flip card figures use %s\n",
                     qPrintable(found));
    return font;
}

const QFont &figureFont()
{
    static const QFont font = makeFigureFont();
    return font;
}

// Where one figure goes: every figure has the same advance, so each is centred in a slot of
// that width and the two slots are centred on the card.
struct FigureLayout {
    qreal scaleX = 1;
    qreal scaleY = 1;
    qreal advance = 0;  // at the font's own size
    qreal baseline = 0; // on the card
};

FigureLayout figureLayout(const QFont &font)
{
    QPainterPath zero;
    zero.addText(0, 0, font, QStringLiteral("0"));
    const QRectF ink = zero.boundingRect();
    FigureLayout layout;
    layout.advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    layout.scaleY = card.height() * figureHeightShare / ink.height();
    // Narrow the figures where two of them at full height would not fit across.
    const qreal widthAtHeight = 2 * layout.advance * layout.scaleY;
    layout.scaleX = layout.scaleY * std::min(1.0, card.width() * figuresWidthShare / widthAtHeight);
    layout.baseline = splitY - ink.center().y() * layout.scaleY;
    return layout;
}

QPainterPath figuresOutline(const QString &figures)
{
    const QFont &font = figureFont();
    const FigureLayout layout = figureLayout(font);
    const qreal slotWidth = layout.advance * layout.scaleX;
    QPainterPath outline;
    for (int i = 0; i < figures.size(); ++i) {
        QPainterPath figure;
        figure.addText(0, 0, font, figures.mid(i, 1));
        QTransform place;
        place.translate(card.center().x() + (i - figures.size() / 2.0) * slotWidth,
                        layout.baseline);
        place.scale(layout.scaleX, layout.scaleY);
        outline.addPath(place.map(figure));
    }
    return outline;
}

void paintHalves(QPainter &painter)
{
    QLinearGradient top(0, card.top(), 0, splitY);
    top.setColorAt(0.0, pal::cardTopLight);
    top.setColorAt(1.0, pal::cardTopDark);
    QLinearGradient bottom(0, splitY, 0, card.bottom());
    bottom.setColorAt(0.0, pal::cardBottomLight);
    bottom.setColorAt(1.0, pal::cardBottomDark);
    painter.fillRect(QRectF(card.left(), card.top(), card.width(), splitY - card.top()), top);
    painter.fillRect(QRectF(card.left(), splitY, card.width(), card.bottom() - splitY), bottom);
}

void paintFigures(QPainter &painter, const QString &figures)
{
    const QPainterPath outline = figuresOutline(figures);
    QLinearGradient fill(0, outline.boundingRect().top(), 0, outline.boundingRect().bottom());
    fill.setColorAt(0.0, pal::digitTop);
    fill.setColorAt(1.0, pal::digitBottom);
    painter.fillPath(outline, fill);
}

// The split: a soft shadow under the upper half's edge, the dark gap, and the light catching
// the lower half's edge just below it.
void paintSplit(QPainter &painter)
{
    QLinearGradient shadow(0, splitY - 7, 0, splitY);
    shadow.setColorAt(0.0, Qt::transparent);
    shadow.setColorAt(1.0, pal::splitShadow);
    painter.fillRect(QRectF(card.left(), splitY - 7, card.width(), 7), shadow);
    painter.fillRect(QRectF(card.left(), splitY - 0.8, card.width(), 1.6), pal::splitLine);
    painter.fillRect(QRectF(card.left(), splitY + 0.8, card.width(), 1.0), pal::splitHighlight);
}

void paintHinges(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(pal::hinge);
    for (const qreal x : {card.left(), card.right()}) {
        const QRectF pin(x - 1.5, splitY - notchHalfHeight + 1.5, 3, 2 * notchHalfHeight - 3);
        painter.drawRoundedRect(pin, 1.5, 1.5);
    }
}

// A light line along the top edge and a faint dark rim all round give the card its thickness.
void paintEdges(QPainter &painter, const QPainterPath &outline)
{
    painter.save();
    painter.setClipRect(QRectF(card.left(), card.top(), card.width(), cornerRadius),
                        Qt::IntersectClip);
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(card.adjusted(0.8, 0.8, -0.8, 0), cornerRadius - 0.8,
                            cornerRadius - 0.8);
    painter.restore();
    painter.setPen(QPen(pal::cardEdge, 1.0));
    painter.drawPath(outline);
}

} // namespace

void paintFlipCard(QPainter &painter, const QString &figures)
{
    paintSoftShape(painter, roundedCard(), pal::cardShadow, 3.0, QPointF(0, 2.0));
    const QPainterPath outline = notchedCard();
    painter.save();
    painter.setClipPath(outline, Qt::IntersectClip);
    paintHalves(painter);
    paintFigures(painter, figures);
    paintSplit(painter);
    painter.restore();
    paintEdges(painter, outline);
    paintHinges(painter);
}

QImage flipCardPicture(int number, qreal ratio)
{
    const QString figures = QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
    return paintedPicture(flipCardSize, ratio,
                          [&](QPainter &painter) { paintFlipCard(painter, figures); });
}

} // namespace tervalo::artwork
