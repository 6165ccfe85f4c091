// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QSystemTrayIcon;
class QMenu;

namespace tervalo {

// The notification-area icon with its balloon-request rules: asking for the balloon sets a
// mark that stays until the balloon is closed or times out; while it is set, every update of
// the icon (making it visible, a new balloon text) shows the balloon with the current text.
// An update for a hidden icon, or without a balloon text, shows nothing but keeps the mark, so
// a balloon asked for while the icon is hidden appears when the icon is next shown.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    static constexpr int BalloonTimeoutMs = 10000;

    TrayIcon(const QString &tooltip, const QString &balloonTitle, QObject *parent = nullptr);

    bool isVisible() const { return visible; }
    void setVisible(bool visible);
    const QString &balloonText() const { return text; }
    void setBalloonText(const QString &text);
    void showBalloon();
    bool balloonRequested() const { return requested; }

    void setContextMenu(QMenu *menu);

signals:
    void clicked();
    // A balloon was put on the screen (for tests and the record; the desktop draws it).
    void balloonShown(const QString &title, const QString &text);

private:
    void sendUpdate();
    void balloonClosed();

    QSystemTrayIcon *icon;
    QTimer balloonTimeout;
    QString title;
    QString text;
    bool visible = false;
    bool requested = false;
};

} // namespace tervalo
