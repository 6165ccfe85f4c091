// SPDX-License-Identifier: MIT
// The widget window's own handlers: moving it with the mouse, the top centre, staying on top,
// the clicks on the pictures and the tray icon.
#include "shell/Main.h"
#include "shell/WindowGeometry.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include <utility>

namespace tervalo {

namespace {

QRect workAreaOf(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

// Any button starts moving the window with the mouse, until the button is released.
void TForm1::FormMouseDown(const QPoint &globalPosition)
{
    dragOffset = globalPosition - pos();
}

void TForm1::dragTo(const QPoint &globalPosition)
{
    const QRect dragged(globalPosition - *dragOffset, size());
    move(snappedToArea(dragged, faceShape->paintedBounds(), workAreaOf(*this)));
}

void TForm1::mousePressEvent(QMouseEvent *event)
{
    context.errors.guard([this, event] { FormMouseDown(event->globalPosition().toPoint()); });
}

void TForm1::mouseMoveEvent(QMouseEvent *event)
{
    if (dragOffset && event->buttons() != Qt::NoButton)
        dragTo(event->globalPosition().toPoint());
}

void TForm1::mouseReleaseEvent(QMouseEvent *)
{
    dragOffset.reset();
}

// The controls' mouse events, dispatched by what each control reacts to. They stop here, so
// that a control that does not move the window does not pass its press on to the window.
bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const int events = controlEvents(watched);
    const QPoint at = mouse->globalPosition().toPoint();
    const bool left = mouse->button() == Qt::LeftButton;
    switch (type) {
    case QEvent::MouseButtonPress:
        if (events & Drags)
            context.errors.guard([this, at] { FormMouseDown(at); });
        else
            dragOffset.reset(); // a grab that a menu kept from its release must not come back
        break;
    case QEvent::MouseMove:
        if (dragOffset && mouse->buttons() != Qt::NoButton)
            dragTo(at);
        break;
    case QEvent::MouseButtonRelease: {
        dragOffset.reset();
        const bool onControl =
            static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint());
        // A double click comes as a click, the double click and one more release, which is
        // not a click of its own.
        const bool endsDoubleClick = std::exchange(releaseEndsDoubleClick, false);
        if (left && (events & SwitchesPanel) && onControl && !endsDoubleClick)
            context.errors.guard([this] { MainCloudClick(); });
        break;
    }
    default: // a double click
        releaseEndsDoubleClick = true;
        if (left && (events & TopCentre))
            context.errors.guard([this] { HoursDblClick(); });
        if (left && (events & OpensTownPage))
            context.errors.guard([this] { OpenInBrowser(); });
        break;
    }
    return true;
}

// Centred in the primary screen's work area, at the very top of the screen.
void TForm1::HoursDblClick()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    const int workAreaWidth = primary ? primary->availableGeometry().width() : width();
    move(topCentreLeft(workAreaWidth, width()), 0);
}

// The choice lives only in memory: every start begins with a normal window.
void TForm1::OnTopModeClick()
{
    const bool onTop = !windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        show(); // changing a window's kind hides it
    OnTopMode->setChecked(onTop);
}

void TForm1::MainCloudClick()
{
    AddPanel->run();
}

// The town's page on the chosen source's site: for the XML export the site's root followed by
// the town's name as shown, unencoded; Open-Meteo has its site only.
void TForm1::OpenInBrowser()
{
    context.platform.openAddress(
        context.service.townPageOf(shared.AppSettings.ForecastSource, CityNameLabel->text()));
}

void TForm1::TrayIcon1Click()
{
    show();
    raise();
    activateWindow();
}

} // namespace tervalo
