// SPDX-License-Identifier: MIT
#include "shell/TrayIcon.h"

#include "presentation/Pictures.h"

#include <QApplication>
#include <QSystemTrayIcon>

namespace tervalo {

namespace {
// What the notification area takes of each text.
constexpr qsizetype MaxBalloonText = 255;
constexpr qsizetype MaxBalloonTitle = 63;
constexpr qsizetype MaxTooltip = 127;
} // namespace

TrayIcon::TrayIcon(const QString &tooltip, const QString &balloonTitle, QObject *parent)
    : QObject(parent)
    , icon(new QSystemTrayIcon(programIcon(), this))
    , title(balloonTitle.left(MaxBalloonTitle))
{
    icon->setToolTip(tooltip.left(MaxTooltip));
    connect(icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::Trigger)
            emit clicked();
    });
    connect(icon, &QSystemTrayIcon::messageClicked, this, &TrayIcon::balloonClosed);
    // The desktop does not tell when a balloon times out; the mark ends with the time-out.
    balloonTimeout.setSingleShot(true);
    balloonTimeout.setInterval(BalloonTimeoutMs);
    connect(&balloonTimeout, &QTimer::timeout, this, &TrayIcon::balloonClosed);
}

void TrayIcon::setVisible(bool value)
{
    if (visible == value)
        return;
    visible = value;
    icon->setVisible(value);
    if (value)
        sendUpdate();
}

void TrayIcon::setBalloonText(const QString &value)
{
    const QString cut = value.left(MaxBalloonText);
    if (cut == text)
        return;
    text = cut;
    sendUpdate();
}

void TrayIcon::showBalloon()
{
    requested = true;
    sendUpdate();
}

void TrayIcon::setContextMenu(QMenu *menu)
{
    icon->setContextMenu(menu);
}

// A balloon without text is not shown (at a start without weather there is none yet); the
// request stays for the text that comes later.
void TrayIcon::sendUpdate()
{
    if (!visible || !requested || text.isEmpty())
        return;
    icon->showMessage(title, text, QIcon(), BalloonTimeoutMs);
    balloonTimeout.start();
    emit balloonShown(title, text);
}

void TrayIcon::balloonClosed()
{
    requested = false;
}

} // namespace tervalo
