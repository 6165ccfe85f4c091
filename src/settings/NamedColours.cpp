// SPDX-License-Identifier: MIT
#include "settings/NamedColours.h"

#include "presentation/Skins.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>

namespace tervalo {

namespace {

constexpr quint32 SystemColour = 0xFF000000;

constexpr NamedColour Colours[] = {
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
    {"MoneyGreen", 0xC0DCC0},
    {"SkyBlue", 0xF0CAA6},
    {"Cream", 0xF0FBFF},
    {"MedGray", 0xA4A0A0},
    {"ActiveBorder", SystemColour | 10},
    {"ActiveCaption", SystemColour | 2},
    {"AppWorkSpace", SystemColour | 12},
    {"Background", SystemColour | 1},
    {"BtnFace", SystemColour | 15},
    {"BtnHighlight", SystemColour | 20},
    {"BtnShadow", SystemColour | 16},
    {"BtnText", SystemColour | 18},
    {"CaptionText", SystemColour | 9},
    {"GradientActiveCaption", SystemColour | 27},
    {"GradientInactiveCaption", SystemColour | 28},
    {"GrayText", SystemColour | 17},
    {"Highlight", SystemColour | 13},
    {"HighlightText", SystemColour | 14},
    {"HotLight", SystemColour | 26},
    {"InactiveBorder", SystemColour | 11},
    {"InactiveCaption", SystemColour | 3},
    {"InactiveCaptionText", SystemColour | 19},
    {"InfoBk", SystemColour | 24},
    {"InfoText", SystemColour | 23},
    {"Menu", SystemColour | 4},
    {"MenuBar", SystemColour | 30},
    {"MenuHighlight", SystemColour | 29},
    {"MenuText", SystemColour | 7},
    {"ScrollBar", SystemColour | 0},
    {"3DDkShadow", SystemColour | 21},
    {"3DLight", SystemColour | 22},
    {"Window", SystemColour | 5},
    {"WindowFrame", SystemColour | 6},
    {"WindowText", SystemColour | 8},
};

QPixmap swatch(const QColor &colour, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(colour);
    painter.drawRect(QRect(QPoint(0, 0), size - QSize(1, 1)));
    return pixmap;
}

} // namespace

std::span<const NamedColour> namedColours()
{
    return Colours;
}

int namedColourIndex(int storedNumber)
{
    const auto colours = namedColours();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (colours[i].storedNumber() == storedNumber)
            return static_cast<int>(i);
    }
    return -1;
}

void fillColourList(QComboBox &list)
{
    const QSize swatchSize(list.height() - 8, list.height() - 8);
    list.setIconSize(swatchSize);
    for (const NamedColour &colour : namedColours()) {
        const QColor shown = colourFromNumber(colour.storedNumber(), QApplication::palette());
        list.addItem(QIcon(swatch(shown, swatchSize)), QLatin1String(colour.name),
                     colour.storedNumber());
    }
}

} // namespace tervalo
