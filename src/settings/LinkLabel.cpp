// SPDX-License-Identifier: MIT
#include "settings/LinkLabel.h"

#include <QMouseEvent>

namespace tervalo {

LinkLabel::LinkLabel(const QString &text, QWidget *parent)
    : TLabel(text, parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = pressed && event->button() == Qt::LeftButton &&
                         rect().contains(event->position().toPoint());
    pressed = false;
    event->accept();
    if (clicked && onClick)
        onClick();
}

} // namespace tervalo
