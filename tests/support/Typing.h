// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace tervalo::test {

// Sends one key press and release per character to the widget, as a keyboard would.
inline void typeInto(QWidget *widget, const QString &text)
{
    for (QChar character : text) {
        const int key =
            character == u'\r' ? int(Qt::Key_Return) : int(character.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace tervalo::test
