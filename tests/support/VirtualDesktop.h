// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QString>

#include <optional>
#include <vector>

namespace tervalo::test {

// A real X server (Xvfb) with a plain-coloured desktop and a compositor, so that windows show
// their real geometry and their see-through parts show the desktop beneath.
class VirtualDesktop {
public:
    static inline const QColor DesktopColour{0x33, 0x66, 0x99};

    VirtualDesktop();
    ~VirtualDesktop();

    // Why no virtual desktop can run here, if it cannot.
    std::optional<QString> unavailableReason() const { return problem; }
    // The DISPLAY value of the server, as ":N".
    const QString &display() const { return name; }

    // Starts a notification area (trayer) at the bottom of the screen; false if it cannot.
    bool addNotificationArea();
    // Input as a user gives it, through the X server: a click of a button (1 left, 3 right)
    // at a place of the screen, and keys by their X names ("Down", "Return").
    void click(QPoint at, int button);
    // Presses a button at one place, moves the pointer in steps to another and releases it.
    void drag(QPoint from, QPoint to, int button);
    void pressKeys(const QStringList &keys);
    // Types a text into the window under the pointer, character by character.
    void typeText(const QString &text);
    // Gives a top-level window, found by its title, the keyboard and presses the keys there;
    // false when no such window appears within the time given.
    bool pressKeysIn(const QString &title, const QStringList &keys, int milliseconds);

    // Records the presses that reach the desktop itself (the root window), that is the ones
    // no window took. Checks it works with a click at `bare`, a place no window covers; false
    // when the recorder did not see it.
    bool recordDesktopPresses(QPoint bare);
    // Where the recorded presses were, since recording began.
    std::vector<QPoint> desktopPresses();
    // How many windows of a program (its executable's name) are on the screen: the widget, and
    // its menu while that is open.
    int windowsShownBy(const QString &program) const;

    // A top-level window's place and size by its title, as the X server reports them.
    std::optional<QRect> windowGeometry(const QString &title) const;
    // What the screen shows.
    QImage screenshot() const;

private:
    QString run(const QString &program, const QStringList &arguments) const;

    QProcess server;
    QProcess compositor;
    QProcess notificationArea;
    QProcess pressRecorder;
    QByteArray recordedPresses;
    QString name;
    std::optional<QString> problem;
};

} // namespace tervalo::test
