// SPDX-License-Identifier: MIT
// The settings dialog as a window: its frame, its look and how it is moved.
#include "settings/Settings.h"

#include "settings/LinkLabel.h"
#include "settings/TownSearch.h"
#include "shell/Controls.h"
#include "shell/Main.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QWindow>

namespace tervalo {

namespace {
const char *const DragsDialogProperty = "tervaloDragsDialog";

bool choosesInAList(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}
} // namespace

TForm2::TForm2(AppContext &context, TForm1 &widget)
    : QDialog(&widget)
    , context(context)
    , widget(widget)
{
    setObjectName(QStringLiteral("Form2"));
    // A dialog of the widget, so it stays above it (also when the widget stays on top of every
    // window) and has no taskbar button; a fixed frame with no caption and no buttons of its
    // own, as the dialog is moved by its pages and labels and ends by its two buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setFixedSize(ClientWidth, ClientHeight);
    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);
    setAutoFillBackground(true);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->setGeometry(0, 0, 400, 245);
    // Tab follows the order of creation: the tab strip, the shown page's controls as the page
    // lists them, then the buttons.
    createGeneralPage();
    createWeatherPage();
    createStylePage();
    createNetworkPage();
    createAboutPage();
    createButtons();
    PageControl->setCurrentWidget(TabSheet5); // "Стиль" until the user picks another page
    dragBy(this);
    dragBy(PageControl);
    connectHandlers();
}

TForm2::~TForm2() = default;

void TForm2::FormCreate()
{
    GetCityID();
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    const bool townBox = watched == CityNameComboBox || watched == CityNameComboBox->lineEdit();
    if (townBox && event->type() == QEvent::KeyPress) {
        const auto &key = *static_cast<QKeyEvent *>(event);
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        if (enter && searchOnEnter())
            return true;
        return takeTypedCharacters(key);
    }
    // The list of places takes the keys while it is open: Enter picks, what is typed there is
    // typing into the box, filtered as any, and the list keeps its other keys for choosing.
    if (watched == placeList->popup() && event->type() == QEvent::KeyPress)
        return takeListKey(*static_cast<QKeyEvent *>(event));
    if (townBox && event->type() == QEvent::InputMethod)
        return takeCommittedText(*static_cast<QInputMethodEvent *>(event));
    const bool dragsTheDialog = watched->property(DragsDialogProperty).toBool();
    if (dragsTheDialog && event->type() == QEvent::MouseButtonPress) {
        FormMouseDown(*static_cast<QMouseEvent *>(event));
        return true;
    }
    if (dragOffset && event->type() == QEvent::MouseMove) {
        move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - *dragOffset);
        return true;
    }
    if (dragOffset && event->type() == QEvent::MouseButtonRelease)
        dragOffset.reset();
    return QDialog::eventFilter(watched, event);
}

// A press on the dialog's pages and plain labels moves the dialog as its title bar would,
// whatever the button: the window manager moves it where it can, else the dialog follows the
// mouse itself until the button is released.
void TForm2::FormMouseDown(const QMouseEvent &event)
{
    QWindow *const window = windowHandle();
    if (window && window->startSystemMove())
        return;
    dragOffset = event.globalPosition().toPoint() - pos();
}

void TForm2::dragBy(QWidget *control)
{
    control->setProperty(DragsDialogProperty, true);
    control->installEventFilter(this);
}

bool TForm2::takeListKey(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        pickListedEntry(placeList->popup()->currentIndex());
        return true;
    }
    return !choosesInAList(key) && takeTypedCharacters(key);
}

void TForm2::reject()
{
    CancelButtonClick();
}

} // namespace tervalo
