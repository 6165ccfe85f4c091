// SPDX-License-Identifier: MIT
#include "shell/Main.h"

#include <QContextMenuEvent>

#include <variant>

namespace tervalo {

namespace {

const QColor White(Qt::white);
const QColor Silver(0xC0, 0xC0, 0xC0);

struct LabelSpec {
    TLabel *TForm1::*control;
    const char *name;
    QRect geometry;
    int fontPixels;
    QColor colour;
    QString text;
    bool autoSize = true;
    bool visible = true;
    int events = Drags;
};

struct PictureSpec {
    TImage *TForm1::*control;
    const char *name;
    QRect geometry;
    bool visible = true;
    bool handCursor = false;
    int events = Drags;
};

// A control of the window in drawing order: a later one is drawn over an earlier one.
using ControlSpec = std::variant<LabelSpec, PictureSpec>;

const QString Placeholder = QStringLiteral("+99");

// The window's controls at their design places, fonts and texts. The texts are placeholders
// until the first forecast reading, except for the two first day names.
// clang-format off
const ControlSpec DesignControls[] = {
    // Labels: {left, top, width, height}, font height in pixels, colour, text, self-sizing, visible,
    // mouse. Pictures: {left, top, width, height}, visible, hand cursor, mouse.
    PictureSpec{&TForm1::AddBackground,  "AddBackground",  {0, 184, 500, 51}},
    PictureSpec{&TForm1::MainBackground, "MainBackground", {0, 24, 500, 150}},
    LabelSpec{&TForm1::TemLabel,         "TemLabel",       {284, 40, 63, 33},   27, White,  QStringLiteral("+15°")},
    LabelSpec{&TForm1::TempFlikLabel,    "TempFlikLabel",  {284, 40, 63, 33},   27, White,  QStringLiteral("+20°"), true, false},
    LabelSpec{&TForm1::WindLabel,        "WindLabel",      {284, 87, 30, 13},   11, White,  QStringLiteral("12 м/с")},
    LabelSpec{&TForm1::HumidityLabel,    "HumidityLabel",  {284, 103, 23, 13},  11, White,  QStringLiteral("20%")},
    LabelSpec{&TForm1::CloudLabel,       "CloudLabel",     {284, 151, 148, 16}, 13, White,  QStringLiteral("Кратковременный дождь")},
    LabelSpec{&TForm1::WindRumbLabel,    "WindRumbLabel",  {318, 87, 16, 13},   11, White,  QStringLiteral("ссв")},
    LabelSpec{&TForm1::CurrentMax,       "CurrentMax",     {78, 192, 20, 13},   11, White,  Placeholder},
    LabelSpec{&TForm1::CurrentMin,       "CurrentMin",     {78, 210, 20, 13},   11, Silver, Placeholder},
    LabelSpec{&TForm1::TomorrowMax,      "TomorrowMax",    {170, 192, 20, 13},  11, White,  Placeholder},
    LabelSpec{&TForm1::TomorrowMin,      "TomorrowMin",    {170, 210, 20, 13},  11, Silver, Placeholder},
    LabelSpec{&TForm1::ThreeMax,         "ThreeMax",       {262, 192, 20, 13},  11, White,  Placeholder},
    LabelSpec{&TForm1::ThreeMin,         "ThreeMin",       {262, 210, 20, 13},  11, Silver, Placeholder},
    LabelSpec{&TForm1::FourMax,          "FourMax",        {361, 192, 20, 13},  11, White,  Placeholder},
    LabelSpec{&TForm1::FourMin,          "FourMin",        {361, 210, 20, 13},  11, Silver, Placeholder},
    LabelSpec{&TForm1::FifthMax,         "FifthMax",       {459, 192, 20, 13},  11, White,  Placeholder},
    LabelSpec{&TForm1::FifthMin,         "FifthMin",       {459, 210, 20, 13},  11, Silver, Placeholder},
    LabelSpec{&TForm1::DateLabel,        "DateLabel",      {16, 151, 146, 16},  13, White,  QStringLiteral("понедельник, 20 августа")},
    // The day names keep a fixed size and are centred over their columns.
    LabelSpec{&TForm1::CurrentDay,       "CurrentDay",     {16, 220, 82, 13},   11, Silver, QStringLiteral("сегодня"), false},
    LabelSpec{&TForm1::TommorowDay,      "TommorowDay",    {108, 220, 82, 13},  11, Silver, QStringLiteral("завтра"), false},
    LabelSpec{&TForm1::ThreeDay,         "ThreeDay",       {200, 220, 82, 13},  11, Silver, QStringLiteral("ThreeDay"), false},
    LabelSpec{&TForm1::FourDay,          "FourDay",        {295, 220, 86, 13},  11, Silver, QStringLiteral("FourDay"), false},
    LabelSpec{&TForm1::FifthDay,         "FifthDay",       {397, 220, 82, 13},  11, Silver, QStringLiteral("FifthDay"), false},
    LabelSpec{&TForm1::CityNameLabel,    "CityNameLabel",  {284, 125, 82, 25},  21, White,  QStringLiteral("Москва")},
    PictureSpec{&TForm1::Hours,          "Hours",          {8, -5, 135, 150},   true,  false, Drags | TopCentre},
    PictureSpec{&TForm1::Minutes,        "Minutes",        {144, -5, 135, 150}, true,  false, Drags | TopCentre},
    PictureSpec{&TForm1::CurrentClouds,  "CurrentClouds",  {16, 175, 60, 55},   false, true,  Drags | OpensTownPage},
    PictureSpec{&TForm1::TomorrowClouds, "TomorrowClouds", {108, 175, 60, 55},  false, true,  Drags | OpensTownPage},
    PictureSpec{&TForm1::ThreeClouds,    "ThreeClouds",    {200, 175, 60, 55},  false, true,  Drags | OpensTownPage},
    PictureSpec{&TForm1::FourClouds,     "FourClouds",     {295, 175, 60, 55},  false, true,  Drags | OpensTownPage},
    PictureSpec{&TForm1::FifthClouds,    "FifthClouds",    {397, 175, 60, 55},  false, true,  Drags | OpensTownPage},
    LabelSpec{&TForm1::ModernClock,      "ModernClock",    {10, -8, 562, 160},  147, White, QStringLiteral("20:08"), false, false, Drags | TopCentre},
    PictureSpec{&TForm1::MainCloud,      "MainCloud",      {300, 0, 220, 210},  true,  true,  SwitchesPanel},
    LabelSpec{&TForm1::sepLabel,         "sepLabel",       {184, 152, 6, 16},   13, White,  QStringLiteral("|"), true, false, 0},
};
// clang-format on

} // namespace

TForm1::TForm1(AppContext &context)
    : IdHTTP1(context.transferLimits())
    , context(context)
    , shared(context.shared)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tervalo"));
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setAttribute(Qt::WA_TranslucentBackground);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    setGeometry(0, 0, DesignWidth, DesignHeight);
    createControls();
    faceShape = new FaceShape(*this);
    createMenus();
    createTimers();
    TrayIcon1 = new TrayIcon(context.title, QStringLiteral("Tervalo"), this);
    TrayIcon1->setContextMenu(PopupMenu2);
    connect(TrayIcon1, &TrayIcon::clicked, this,
            context.errors.guarded([this] { TrayIcon1Click(); }));
}

TForm1::~TForm1()
{
    context.errors.guard([this] { FormDestroy(); });
}

void TForm1::createControls()
{
    const auto prepare = [this](QWidget *control, const char *name, QRect geometry, bool visible,
                                int events) {
        control->setObjectName(QLatin1String(name));
        control->setGeometry(geometry);
        control->setVisible(visible);
        setControlEvents(control, events);
        control->installEventFilter(this);
    };
    for (const ControlSpec &spec : DesignControls) {
        if (const auto *label = std::get_if<LabelSpec>(&spec)) {
            auto *control = label->control == &TForm1::ModernClock
                                ? new ClockLabel(label->text, this)
                                : new TLabel(label->text, this);
            control->setAutoSize(false);
            prepare(control, label->name, label->geometry, label->visible, label->events);
            QFont font = this->font();
            font.setPixelSize(label->fontPixels);
            control->setFont(font);
            QPalette palette = control->palette();
            palette.setColor(QPalette::WindowText, label->colour);
            control->setPalette(palette);
            control->setAutoSize(label->autoSize);
            this->*label->control = control;
        } else {
            const auto &picture = std::get<PictureSpec>(spec);
            auto *control = new TImage(this);
            prepare(control, picture.name, picture.geometry, picture.visible, picture.events);
            if (picture.handCursor)
                control->setCursor(Qt::PointingHandCursor);
            this->*picture.control = control;
        }
    }
    CityNameLabel->setFont([font = CityNameLabel->font()]() mutable {
        font.setBold(true);
        return font;
    }());
    for (TLabel *centred : {CurrentDay, TommorowDay, ThreeDay, FourDay, FifthDay})
        centred->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont clockFont(QStringLiteral("Roboto Condensed Light"));
    clockFont.setPixelSize(147);
    ModernClock->setFont(clockFont);
    ModernClock->setAlignment(Qt::AlignLeft | Qt::AlignTop);
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
    UpdateClick = addItem(PopupMenu1, "UpdateClick", QStringLiteral("Обновить"),
                          [this](MenuItem &) { UpdateClickClick(); });
    UpdateInClock = addItem(PopupMenu1, "UpdateInClock", QStringLiteral("Обновить"),
                            [this](MenuItem &) { UpdateInClockClick(); });
    UpdateInClock->setVisible(false);
    OnTopMode = addItem(PopupMenu1, "OnTopMode", QStringLiteral("Поверх всех окон"),
                        [this](MenuItem &) { OnTopModeClick(); });
    OnTopMode->setCheckable(true);
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

    // An open menu takes the release that would have ended a drag.
    for (QMenu *menu : {PopupMenu1, PopupMenu2})
        connect(menu, &QMenu::aboutToShow, this, [this] { dragOffset.reset(); });
}

void TForm1::createTimers()
{
    const auto timer = [this](const char *name, void (TForm1::*handler)()) {
        auto *created = new WindowTimer(this);
        created->setObjectName(QLatin1String(name));
        connect(created, &WindowTimer::tick, this,
                context.errors.guarded([this, handler] { (this->*handler)(); }));
        return created;
    };
    Clock = timer("Clock", &TForm1::ClockTimer);
    AutoUpdate = timer("AutoUpdate", &TForm1::AutoUpdateTimer);
    TimerModern = timer("TimerModern", &TForm1::TimerModernTimer);
    AutoCheckInet = timer("AutoCheckInet", &TForm1::AutoCheckInetTimer);
    AutoUpdate->holdTicksDuring(context.network);
    AutoCheckInet->holdTicksDuring(context.network);
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
