// SPDX-License-Identifier: MIT
#include "ContactSheet.h"

#include "Layers.h"
#include "Palette.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace tervalo::artwork {

namespace {

constexpr int gap = 12;
constexpr int labelHeight = 16;

QSize largestSize(const QList<QImage> &pictures)
{
    QSize largest(1, 1);
    for (const QImage &picture : pictures)
        largest = largest.expandedTo(picture.size());
    return largest;
}

} // namespace

QImage contactSheet(const QStringList &picturePaths, int zoom, int columns)
{
    QList<QImage> pictures;
    for (const QString &path : picturePaths)
        pictures << QImage(path);
    const QSize cell = largestSize(pictures) * zoom + QSize(gap, gap + labelHeight);
    const int rows = (int(pictures.size()) + columns - 1) / columns;
    QImage sheet(QSize(columns * cell.width() + gap, rows * cell.height() + gap),
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(palette::sheetBackground);
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(palette::sheetLabel);
    for (int i = 0; i < int(pictures.size()); ++i) {
        const QPoint corner(gap + (i % columns) * cell.width(),
                            gap + (i / columns) * cell.height());
        const QImage &picture = pictures[i];
        // Enlarged without smoothing, so every pixel can be judged.
        painter.drawImage(QRect(corner, picture.size() * zoom), picture);
        const QString label = QStringLiteral("%1  %2×%3")
                                  .arg(QFileInfo(picturePaths[i]).completeBaseName())
                                  .arg(picture.width())
                                  .arg(picture.height());
        painter.drawText(QRect(corner + QPoint(0, picture.height() * zoom + 2),
                               QSize(cell.width() - gap, labelHeight - 2)),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
    }
    return sheet;
}

} // namespace tervalo::artwork
