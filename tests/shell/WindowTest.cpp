// SPDX-License-Identifier: MIT
#include "presentation/Skins.h"
#include "shell/WindowGeometry.h"
#include "support/WidgetHarness.h"

#include "platform/AppError.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

struct ControlRow {
    const char *name;
    QRect geometry; // width and height are checked for fixed-size controls only
    int fontPixels; // 0: a picture
    const char *colour;
    const char *text;
    bool visible;
    bool fixedSize;
};

// The window's design, in drawing order.
const ControlRow DesignRows[] = {
    {"AddBackground", {0, 184, 500, 51}, 0, "", "", true, true},
    {"MainBackground", {0, 24, 500, 150}, 0, "", "", true, true},
    {"TemLabel", {284, 40, 63, 33}, 27, "#ffffff", "+15°", true, false},
    {"TempFlikLabel", {284, 40, 63, 33}, 27, "#ffffff", "+20°", false, false},
    {"WindLabel", {284, 87, 30, 13}, 11, "#ffffff", "12 м/с", true, false},
    {"HumidityLabel", {284, 103, 23, 13}, 11, "#ffffff", "20%", true, false},
    {"CloudLabel", {284, 151, 148, 16}, 13, "#ffffff", "Кратковременный дождь", true, false},
    {"WindRumbLabel", {318, 87, 16, 13}, 11, "#ffffff", "ссв", true, false},
    {"CurrentMax", {78, 192, 20, 13}, 11, "#ffffff", "+99", true, false},
    {"CurrentMin", {78, 210, 20, 13}, 11, "#c0c0c0", "+99", true, false},
    {"TomorrowMax", {170, 192, 20, 13}, 11, "#ffffff", "+99", true, false},
    {"TomorrowMin", {170, 210, 20, 13}, 11, "#c0c0c0", "+99", true, false},
    {"ThreeMax", {262, 192, 20, 13}, 11, "#ffffff", "+99", true, false},
    {"ThreeMin", {262, 210, 20, 13}, 11, "#c0c0c0", "+99", true, false},
    {"FourMax", {361, 192, 20, 13}, 11, "#ffffff", "+99", true, false},
    {"FourMin", {361, 210, 20, 13}, 11, "#c0c0c0", "+99", true, false},
    {"FifthMax", {459, 192, 20, 13}, 11, "#ffffff", "+99", true, false},
    {"FifthMin", {459, 210, 20, 13}, 11, "#c0c0c0", "+99", true, false},
    {"DateLabel", {16, 151, 146, 16}, 13, "#ffffff", "понедельник, 20 августа", true, false},
    {"CurrentDay", {16, 220, 82, 13}, 11, "#c0c0c0", "сегодня", true, true},
    {"TommorowDay", {108, 220, 82, 13}, 11, "#c0c0c0", "завтра", true, true},
    {"ThreeDay", {200, 220, 82, 13}, 11, "#c0c0c0", "ThreeDay", true, true},
    {"FourDay", {295, 220, 86, 13}, 11, "#c0c0c0", "FourDay", true, true},
    {"FifthDay", {397, 220, 82, 13}, 11, "#c0c0c0", "FifthDay", true, true},
    {"CityNameLabel", {284, 125, 82, 25}, 21, "#ffffff", "Москва", true, false},
    {"Hours", {8, -5, 135, 150}, 0, "", "", true, true},
    {"Minutes", {144, -5, 135, 150}, 0, "", "", true, true},
    {"CurrentClouds", {16, 175, 60, 55}, 0, "", "", false, true},
    {"TomorrowClouds", {108, 175, 60, 55}, 0, "", "", false, true},
    {"ThreeClouds", {200, 175, 60, 55}, 0, "", "", false, true},
    {"FourClouds", {295, 175, 60, 55}, 0, "", "", false, true},
    {"FifthClouds", {397, 175, 60, 55}, 0, "", "", false, true},
    {"ModernClock", {10, -8, 562, 160}, 147, "#ffffff", "20:08", false, true},
    {"MainCloud", {300, 0, 220, 210}, 0, "", "", true, true},
    {"sepLabel", {184, 152, 6, 16}, 13, "#ffffff", "|", false, false},
};

class WindowTest : public ::testing::Test {
protected:
    TForm1 &form() { return *harness.form; }
    template <typename T = QWidget> T *control(const char *name)
    {
        return form().findChild<T *>(QLatin1String(name));
    }

    // A mouse event on a control, at a place given in screen coordinates.
    void mouse(QWidget *target, QEvent::Type type, Qt::MouseButton button, QPoint global)
    {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, target->mapFromGlobal(global), target->mapFromGlobal(global),
                          global, type == QEvent::MouseMove ? Qt::NoButton : button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    void drag(QWidget *target, Qt::MouseButton button, QPoint from, QPoint to)
    {
        mouse(target, QEvent::MouseButtonPress, button, from);
        mouse(target, QEvent::MouseMove, button, to);
        mouse(target, QEvent::MouseButtonRelease, button, to);
    }

    test::WidgetHarness harness;
};

TEST_F(WindowTest, TheWindowIsTheDesignedBorderlessSeeThroughWidget)
{
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Tervalo"));
    EXPECT_TRUE(form().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form().testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(form().size(), QSize(679, 304));
    EXPECT_EQ(QFontInfo(form().font()).family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(form().font().pixelSize(), 11);

    std::vector<QString> drawingOrder;
    for (QObject *child : form().children()) {
        if (child->isWidgetType() && !child->inherits("QMenu"))
            drawingOrder.push_back(child->objectName());
    }
    ASSERT_EQ(drawingOrder.size(), std::size(DesignRows));
    for (size_t i = 0; i < std::size(DesignRows); ++i)
        EXPECT_EQ(drawingOrder[i], QLatin1String(DesignRows[i].name)) << "position " << i;
}

TEST_F(WindowTest, EveryControlHasItsDesignPlaceFontTextAndVisibility)
{
    for (const ControlRow &row : DesignRows) {
        SCOPED_TRACE(row.name);
        QWidget *widget = control(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->pos(), row.geometry.topLeft());
        EXPECT_EQ(!widget->isHidden(), row.visible);
        if (row.fixedSize)
            EXPECT_EQ(widget->size(), row.geometry.size());
        auto *label = qobject_cast<QLabel *>(widget);
        if (row.fontPixels == 0) {
            EXPECT_EQ(label, nullptr);
            continue;
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(row.text));
        EXPECT_EQ(label->font().pixelSize(), row.fontPixels);
        EXPECT_EQ(label->palette().color(QPalette::WindowText).name(), QLatin1String(row.colour));
        const QString family = QFontInfo(label->font()).family();
        EXPECT_EQ(family,
                  QLatin1String(label == form().ModernClock ? "Roboto Condensed Light" : "Tahoma"));
        if (!row.fixedSize) {
            const QFontMetrics metrics(label->font());
            EXPECT_EQ(label->width(), metrics.horizontalAdvance(label->text()))
                << "sized to its text";
            EXPECT_NEAR(label->width(), row.geometry.width(), row.geometry.width() / 4 + 4)
                << "about the designed width";
        }
    }
    EXPECT_TRUE(form().CityNameLabel->font().bold());
    EXPECT_EQ(form().CurrentDay->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(form().CurrentClouds->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(form().MainCloud->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(WindowTest, ASelfSizingLabelFollowsItsTextAndFont)
{
    TLabel &label = *form().CityNameLabel;
    label.setText(QStringLiteral("Санкт-Петербург"));
    EXPECT_EQ(label.width(),
              QFontMetrics(label.font()).horizontalAdvance(QStringLiteral("Санкт-Петербург")));
    const int before = label.width();
    QFont larger = label.font();
    larger.setPixelSize(40);
    label.setFont(larger);
    EXPECT_GT(label.width(), before);
    EXPECT_EQ(label.width(),
              QFontMetrics(larger).horizontalAdvance(QStringLiteral("Санкт-Петербург")));
    EXPECT_EQ(form().CurrentDay->width(), 82) << "a fixed-size label keeps its width";

    // Texts from outside are shown as they are: markup is neither drawn nor measured away.
    for (TLabel *shown : form().findChildren<TLabel *>()) {
        const QString markup = QStringLiteral("<u>Тверь</u>");
        shown->setText(markup);
        EXPECT_EQ(shown->textFormat(), Qt::PlainText) << shown->objectName().toStdString();
        if (shown->autoSize())
            EXPECT_EQ(shown->width(), QFontMetrics(shown->font()).horizontalAdvance(markup));
    }
}

TEST_F(WindowTest, APictureThatCannotBeLoadedIsAnErrorAndTheControlKeepsItsPicture)
{
    TImage &picture = *form().MainCloud;
    picture.setPicture(QStringLiteral("BSUN"));
    EXPECT_THROW(picture.setPicture(QStringLiteral("BMISSING")), AppError);
    EXPECT_EQ(picture.pictureName(), QStringLiteral("BSUN"));
    EXPECT_FALSE(picture.isEmpty());
}

TEST_F(WindowTest, TheMenusHoldTheirItemsInOrder)
{
    struct Item {
        const char *name;
        const char *caption;
        bool visible;
    };
    const std::pair<QMenu *, std::vector<Item>> menus[] = {
        {form().PopupMenu1,
         {{"UpdateClick", "Обновить", true},
          {"UpdateInClock", "Обновить", false},
          {"OnTopMode", "Поверх всех окон", true},
          {"AddPanel", "Отображать панель с прогнозом", true},
          {"N1", "-", true},
          {"MenuSetttings", "Настройки", true},
          {"CloseProg", "Выход", true}}},
        {form().PopupMenu2, {{"N3", "Настройки", true}, {"N4", "-", true}, {"N2", "Выход", true}}},
    };
    for (const auto &[menu, items] : menus) {
        const QList<QAction *> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(items[i].name);
            EXPECT_EQ(actions[i]->objectName(), QLatin1String(items[i].name));
            EXPECT_EQ(actions[i]->isSeparator(),
                      QString::fromUtf8(items[i].caption) == QLatin1String("-"));
            EXPECT_EQ(actions[i]->text(),
                      actions[i]->isSeparator() ? QString() : QString::fromUtf8(items[i].caption));
            EXPECT_EQ(actions[i]->isVisible(), items[i].visible);
            EXPECT_FALSE(actions[i]->isChecked());
        }
    }
}

TEST_F(WindowTest, RunningAnItemCallsItsHandlerOnlyWhileEnabled)
{
    MenuItem &panel = *form().AddPanel;
    panel.trigger(); // chosen in the menu: the handler toggles the mark, once
    EXPECT_TRUE(panel.isChecked());
    EXPECT_TRUE(panel.QAction::isChecked());
    panel.setVisible(false);
    form().MainCloudClick(); // a hidden item still runs
    EXPECT_FALSE(panel.isChecked());
    panel.setEnabled(false);
    form().MainCloudClick(); // a disabled one does nothing
    panel.trigger();
    EXPECT_FALSE(panel.isChecked());

    form().OnTopMode->trigger();
    EXPECT_TRUE(form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form().OnTopMode->isChecked());
    form().OnTopMode->trigger();
    EXPECT_FALSE(form().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form().OnTopMode->isChecked());
}

TEST_F(WindowTest, ExitFromTheTrayMenuIsExitFromTheWindowMenu)
{
    form().N2->trigger();
    EXPECT_TRUE(harness.end.isRequested());
    EXPECT_FALSE(harness.platform.readDataFile(QStringLiteral("Tervalo.ini")).isEmpty());
}

TEST_F(WindowTest, TheTownPageIsTheSiteRootAndTheTownNameUnencoded)
{
    harness.service.siteRoot = QStringLiteral("https://weather.example/");
    form().CityNameLabel->setText(QStringLiteral("Нижний Новгород"));
    QWidget *picture = form().ThreeClouds;
    picture->show();
    mouse(picture, QEvent::MouseButtonDblClick, Qt::LeftButton, picture->mapToGlobal(QPoint(5, 5)));
    EXPECT_EQ(harness.platform.openedAddresses,
              QStringList{QStringLiteral("https://weather.example/Нижний Новгород")});
}

// Open-Meteo has no page per town: its pictures open its site, whose credit the data line
// also links to.
TEST_F(WindowTest, TheForecastPicturesOpenTheChosenSourcesSite)
{
    harness.service.siteRoot = QStringLiteral("https://weather.example/");
    harness.service.openMeteoSite = QStringLiteral("https://open-meteo.example/");
    form().CityNameLabel->setText(QStringLiteral("Тверь"));
    QWidget *picture = form().CurrentClouds;
    picture->show();
    for (const int source : {forecast_source::OpenMeteo, forecast_source::XmlExport, 7}) {
        harness.shared.AppSettings.ForecastSource = source;
        mouse(picture, QEvent::MouseButtonDblClick, Qt::LeftButton,
              picture->mapToGlobal(QPoint(5, 5)));
    }
    EXPECT_EQ(harness.platform.openedAddresses,
              (QStringList{QStringLiteral("https://open-meteo.example/"),
                           QStringLiteral("https://weather.example/Тверь"),
                           QStringLiteral("https://weather.example/Тверь")}));
}

TEST(WindowGeometry, TopCentreTruncatesAndIgnoresTheWorkAreasLeft)
{
    const std::tuple<int, int, int> cases[] = {
        {1920, 520, 700}, {1921, 520, 700}, {1366, 679, 343}, {500, 503, -1}, {500, 506, -3}};
    for (const auto &[area, window, left] : cases)
        EXPECT_EQ(topCentreLeft(area, window), left) << area << " and " << window;
}

TEST(WindowGeometry, ADraggedWindowSnapsToTheWorkAreaWithinTenPixels)
{
    const QRect area(0, 30, 1280, 770); // a panel along the top
    const std::pair<QPoint, QPoint> cases[] = {
        {{10, 40}, {0, 30}},      // both near edges
        {{11, 41}, {11, 41}},     // just too far
        {{-10, 500}, {0, 500}},   // beyond the left edge by the distance
        {{770, 564}, {780, 565}}, // right and bottom edges: 500 x 235 window
        {{400, 300}, {400, 300}},
    };
    for (const auto &[dropped, landed] : cases)
        EXPECT_EQ(snappedToArea(QRect(dropped, QSize(500, 235)), area), landed)
            << dropped.x() << "," << dropped.y();
}

// A 520 x 235 window that paints only part of itself snaps by the painted part's edges.
TEST(WindowGeometry, ADraggedWindowSnapsByTheEdgesOfWhatItPaints)
{
    const QRect area(0, 30, 1280, 770); // a panel along the top
    const QRect painted(20, 23, 480, 200);
    struct Case {
        QPoint dropped;
        QRect painted;
        QPoint landed;
    };
    const Case cases[] = {
        {{-15, 12}, painted, {-20, 7}},       // left and top: the window reaches past both
        {{-9, 300}, painted, {-9, 300}},      // painted left 11 from the edge
        {{786, 400}, painted, {780, 400}},    // right: the window's own edge is 26 beyond
        {{765, 400}, painted, {765, 400}},    // the window's edge within 5, the painted one 15
        {{795, 570}, painted, {795, 577}},    // bottom
        {{500, 200}, painted, {500, 200}},    // far from every edge
        {{765, 400}, QRect(), {760, 400}},    // a window that paints nothing: its own edges
        {{3, 795}, {0, 0, 520, 5}, {0, 795}}, // a strip at the top, near the area's bottom
    };
    for (const Case &c : cases)
        EXPECT_EQ(snappedToArea(QRect(c.dropped, QSize(520, 235)), c.painted, area), c.landed)
            << c.dropped.x() << "," << c.dropped.y();
}

// Dragged near the work area's edges, a shown face's painted edges come to lie on them, though
// its window is larger: by the right and bottom in the classic skin, whose window is wider
// than its panels, and by the top in the digital one, whose panel starts below the window's top.
TEST_F(WindowTest, AShownFaceSnapsByItsPaintedEdges)
{
    const auto paintedArea = [this] {
        const QImage face = form().grab().toImage();
        QRect area;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                if (qAlpha(face.pixel(x, y)) > SeeThroughAlpha)
                    area |= QRect(x, y, 1, 1);
        return area;
    };
    const QRect area = form().screen()->availableGeometry();
    harness.shared.AppSettings.PanelsMode = ClassicSkin;
    form().ChangePanels();
    form().resize(520, 235);
    form().move(100, 100);
    form().show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form().faceShape->measurements() > 0; }));
    const QRect classic = paintedArea();
    ASSERT_LT(classic.right(), form().width() - 1);
    QPoint grip = form().MainBackground->mapToGlobal(QPoint(50, 50));
    QPoint dropped = area.bottomRight() - classic.bottomRight() - QPoint(6, 6);
    drag(form().MainBackground, Qt::LeftButton, grip, grip + dropped - form().pos());
    EXPECT_EQ(form().pos() + classic.bottomRight(), area.bottomRight());

    harness.shared.AppSettings.PanelsMode = DigitalSkin;
    form().ChangePanels();
    const int measured = form().faceShape->measurements();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().faceShape->measurements() > measured; }));
    const QRect digital = paintedArea();
    ASSERT_GT(digital.top(), 0);
    grip = form().MainBackground->mapToGlobal(QPoint(50, 50));
    dropped = area.topLeft() - digital.topLeft() + QPoint(4, 7);
    drag(form().MainBackground, Qt::LeftButton, grip, grip + dropped - form().pos());
    EXPECT_EQ(form().pos() + digital.topLeft(), area.topLeft());
}

TEST_F(WindowTest, AnyButtonDragsTheWindowAndADoubleClickPutsItAtTheTopCentre)
{
    const QRect area = form().screen()->availableGeometry();
    form().resize(500, 235);
    form().move(200, 200);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(button);
        const QPoint start = form().pos() + QPoint(50, 50);
        drag(form().TemLabel, button, start, start + QPoint(30, 20));
        EXPECT_EQ(form().pos(), QPoint(230, 220));
        form().move(200, 200);
    }
    drag(&form(), Qt::LeftButton, QPoint(250, 250),
         QPoint(55, 58)); // the background, to the corner
    EXPECT_EQ(form().pos(), area.topLeft());
    form().move(200, 200);
    drag(form().MainCloud, Qt::LeftButton, QPoint(250, 250), QPoint(280, 270));
    EXPECT_EQ(form().pos(), QPoint(200, 200)) << "the big picture does not move the window";

    mouse(form().Minutes, QEvent::MouseButtonDblClick, Qt::LeftButton,
          form().Minutes->mapToGlobal(QPoint(5, 5)));
    EXPECT_EQ(form().pos(), QPoint((area.width() - 500) / 2, 0));
}

// A right press on the cards starts a grab whose release the menu takes; neither a later
// press on the big picture nor anything after the menu may move the window by it.
TEST_F(WindowTest, AGrabThatAMenuEndedDoesNotMoveTheWindowLater)
{
    form().resize(500, 235);
    form().move(200, 200);
    const QPoint onCards = form().Hours->mapToGlobal(QPoint(40, 40));
    mouse(form().Hours, QEvent::MouseButtonPress, Qt::RightButton, onCards);
    QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, form().mapFromGlobal(onCards), onCards);
    QApplication::sendEvent(&form(), &menuRequest);
    form().PopupMenu1->hide();
    const QPoint onPicture = form().MainCloud->mapToGlobal(QPoint(60, 60));
    mouse(form().MainCloud, QEvent::MouseButtonPress, Qt::LeftButton, onPicture);
    mouse(form().MainCloud, QEvent::MouseMove, Qt::LeftButton, onPicture + QPoint(30, 20));
    EXPECT_EQ(form().pos(), QPoint(200, 200));
}

TEST_F(WindowTest, ADoubleClickOnTheBigPictureSwitchesThePanelOnce)
{
    form().MainCloud->show();
    const QPoint at = form().MainCloud->mapToGlobal(QPoint(60, 60));
    const bool shownBefore = form().AddPanel->isChecked();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
        mouse(form().MainCloud, type, Qt::LeftButton, at);
    EXPECT_NE(form().AddPanel->isChecked(), shownBefore);
    mouse(form().MainCloud, QEvent::MouseButtonPress, Qt::LeftButton, at);
    mouse(form().MainCloud, QEvent::MouseButtonRelease, Qt::LeftButton, at);
    EXPECT_EQ(form().AddPanel->isChecked(), shownBefore) << "the next click switches again";
}

TEST(TrayIcon, ShowsTheBalloonOnlyWhileItWasAskedFor)
{
    TrayIcon tray(QStringLiteral("tervalo"), QStringLiteral("Tervalo"));
    QStringList shown;
    QObject::connect(&tray, &TrayIcon::balloonShown,
                     [&shown](const QString &title, const QString &text) {
                         shown << title + QLatin1Char('|') + text;
                     });
    tray.setVisible(true);
    tray.setBalloonText(QStringLiteral("-2°, облачно"));
    EXPECT_TRUE(shown.isEmpty()) << "a new text alone shows nothing";
    tray.showBalloon();
    tray.setBalloonText(QStringLiteral("-2°, облачно")); // the same text sends nothing
    tray.setBalloonText(QStringLiteral("-3°, ясно"));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Tervalo|-2°, облачно"),
                                  QStringLiteral("Tervalo|-3°, ясно")}));

    TrayIcon hidden(QStringLiteral("tervalo"), QStringLiteral("Tervalo"));
    QStringList later;
    QObject::connect(&hidden, &TrayIcon::balloonShown,
                     [&later](const QString &, const QString &text) { later << text; });
    hidden.showBalloon();
    hidden.setVisible(true);
    hidden.setVisible(false);
    EXPECT_TRUE(later.isEmpty()) << "a balloon without text is not shown";
    hidden.setBalloonText(QStringLiteral("+5°, ясно"));
    EXPECT_TRUE(later.isEmpty()) << "a hidden icon shows nothing";
    EXPECT_TRUE(hidden.balloonRequested()) << "but keeps the request";
    hidden.setVisible(true);
    EXPECT_EQ(later, QStringList{QStringLiteral("+5°, ясно")});
}

} // namespace
} // namespace tervalo
