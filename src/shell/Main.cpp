// SPDX-License-Identifier: MIT
#include "shell/Main.h"

#include <QContextMenuEvent>

namespace tervalo {

TForm1::TForm1(AppContext &context)
    : IdHTTP1(context.service.limits)
    , context(context)
    , shared(context.shared)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tervalo"));
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setAttribute(Qt::WA_TranslucentBackground);
    setGeometry(0, 0, DesignWidth, DesignHeight);
    createControls();
    createMenus();
    createTimers();
    TrayIcon1 = new TrayIcon(context.title, QStringLiteral("Tervalo"), this);
    TrayIcon1->setContextMenu(PopupMenu2);
    connect(TrayIcon1, &TrayIcon::clicked, this, context.errors.guarded([this] {
        show();
        raise();
        activateWindow();
    }));
}

TForm1::~TForm1()
{
    context.errors.guard([this] { FormDestroy(); });
}

QLabel *TForm1::addLabel(const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

void TForm1::createControls()
{
    TemLabel = addLabel("TemLabel", QStringLiteral("+15°"), {284, 40, 63, 33});
    WindLabel = addLabel("WindLabel", QStringLiteral("12 м/с"), {284, 87, 30, 13});
    HumidityLabel = addLabel("HumidityLabel", QStringLiteral("20%"), {284, 103, 23, 13});
    const QString placeholder = QStringLiteral("+99");
    CurrentMax = addLabel("CurrentMax", placeholder, {78, 192, 20, 13});
    CurrentMin = addLabel("CurrentMin", placeholder, {78, 210, 20, 13});
    TomorrowMax = addLabel("TomorrowMax", placeholder, {170, 192, 20, 13});
    TomorrowMin = addLabel("TomorrowMin", placeholder, {170, 210, 20, 13});
    ThreeMax = addLabel("ThreeMax", placeholder, {262, 192, 20, 13});
    ThreeMin = addLabel("ThreeMin", placeholder, {262, 210, 20, 13});
    FourMax = addLabel("FourMax", placeholder, {361, 192, 20, 13});
    FourMin = addLabel("FourMin", placeholder, {361, 210, 20, 13});
    FifthMax = addLabel("FifthMax", placeholder, {459, 192, 20, 13});
    FifthMin = addLabel("FifthMin", placeholder, {459, 210, 20, 13});
    CityNameLabel = addLabel("CityNameLabel", QStringLiteral("Москва"), {284, 125, 82, 25});
}

MenuItem *TForm1::addItem(QMenu *menu, const char *name, const QString &caption,
                          MenuItem::Handler handler)
{
    auto *item = new MenuItem(QLatin1String(name), caption, menu);
    item->setHandler(std::move(handler));
    connect(item, &QAction::triggered, this,
            context.errors.guarded([item] { item->chosenInMenu(); }));
    menu->addAction(item);
    return item;
}

void TForm1::createMenus()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    UpdateClick = addItem(PopupMenu1, "UpdateClick", QStringLiteral("Обновить"));
    UpdateInClock = addItem(PopupMenu1, "UpdateInClock", QStringLiteral("Обновить"));
    UpdateInClock->setVisible(false);
    OnTopMode = addItem(PopupMenu1, "OnTopMode", QStringLiteral("Поверх всех окон"));
    AddPanel = addItem(PopupMenu1, "AddPanel", QStringLiteral("Отображать панель с прогнозом"),
                       [this](MenuItem &) { AddPanelClick(); });
    AddPanel->setCheckable(true);
    N1 = addItem(PopupMenu1, "N1", QStringLiteral("-"));
    MenuSetttings = addItem(PopupMenu1, "MenuSetttings", QStringLiteral("Настройки"));
    CloseProg = addItem(PopupMenu1, "CloseProg", QStringLiteral("Выход"),
                        [this](MenuItem &) { CloseProgClick(); });

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N3 = addItem(PopupMenu2, "N3", QStringLiteral("Настройки"),
                 [this](MenuItem &) { MenuSetttings->run(); });
    N4 = addItem(PopupMenu2, "N4", QStringLiteral("-"));
    N2 = addItem(PopupMenu2, "N2", QStringLiteral("Выход"),
                 [this](MenuItem &) { CloseProg->run(); });
}

void TForm1::createTimers()
{
    const auto timer = [this](const char *name) {
        auto *created = new WindowTimer(this);
        created->setObjectName(QLatin1String(name));
        return created;
    };
    Clock = timer("Clock");
    AutoUpdate = timer("AutoUpdate");
    TimerModern = timer("TimerModern");
    AutoCheckInet = timer("AutoCheckInet");
    Clock->setAlignedToClock(true);
    TimerModern->setAlignedToClock(true);
}

void TForm1::contextMenuEvent(QContextMenuEvent *event)
{
    PopupMenu1->popup(event->globalPos());
}

// Closing the main window ends the program.
void TForm1::closeEvent(QCloseEvent *event)
{
    context.end.request();
    QWidget::closeEvent(event);
}

// The show handler runs just before the window first appears, so the taskbar choice is made
// while the window can still change its kind without being re-created.
void TForm1::setVisible(bool visible)
{
    if (visible && !shownOnce) {
        shownOnce = true;
        context.errors.guard([this] { FormShow(); });
    }
    QWidget::setVisible(visible);
}

} // namespace tervalo
