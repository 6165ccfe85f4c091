// SPDX-License-Identifier: MIT
// The three skins: classic flip cards, digital, minimalistic. Positions that depend on texts
// are computed from the labels' widths as measured at each step, after the step's own font
// change, so the line follows the current date, town and temperature.
#include "presentation/Skins.h"

#include "presentation/ClockFaces.h"

#include "shell/Main.h"

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <utility>

namespace tervalo {

namespace {

// The wind direction's place in the classic skin, unless a long speed reaches past it.
constexpr int ClassicWindDirectionLeft = 318;

// The system colours of a colour number, by index, and the palette colours that match them.
const std::pair<int, std::pair<QPalette::ColorGroup, QPalette::ColorRole>> SystemColours[] = {
    {0, {QPalette::Active, QPalette::Button}},             // scroll bar
    {1, {QPalette::Active, QPalette::Window}},             // desktop
    {2, {QPalette::Active, QPalette::Highlight}},          // active caption
    {3, {QPalette::Inactive, QPalette::Highlight}},        // inactive caption
    {4, {QPalette::Active, QPalette::Window}},             // menu
    {5, {QPalette::Active, QPalette::Base}},               // window
    {6, {QPalette::Active, QPalette::Shadow}},             // window frame
    {7, {QPalette::Active, QPalette::WindowText}},         // menu text
    {8, {QPalette::Active, QPalette::Text}},               // window text
    {9, {QPalette::Active, QPalette::HighlightedText}},    // caption text
    {10, {QPalette::Active, QPalette::Light}},             // active border
    {11, {QPalette::Active, QPalette::Midlight}},          // inactive border
    {12, {QPalette::Active, QPalette::Dark}},              // application workspace
    {13, {QPalette::Active, QPalette::Highlight}},         // highlight
    {14, {QPalette::Active, QPalette::HighlightedText}},   // highlight text
    {15, {QPalette::Active, QPalette::Button}},            // button face
    {16, {QPalette::Active, QPalette::Dark}},              // button shadow
    {17, {QPalette::Disabled, QPalette::Text}},            // grey text
    {18, {QPalette::Active, QPalette::ButtonText}},        // button text
    {19, {QPalette::Inactive, QPalette::HighlightedText}}, // inactive caption text
    {20, {QPalette::Active, QPalette::Light}},             // button highlight
    {21, {QPalette::Active, QPalette::Shadow}},            // 3D dark shadow
    {22, {QPalette::Active, QPalette::Midlight}},          // 3D light
    {23, {QPalette::Active, QPalette::ToolTipText}},       // tooltip text
    {24, {QPalette::Active, QPalette::ToolTipBase}},       // tooltip background
    {26, {QPalette::Active, QPalette::Link}},              // hot-tracked item
    {27, {QPalette::Active, QPalette::Highlight}},         // active caption gradient
    {28, {QPalette::Inactive, QPalette::Highlight}},       // inactive caption gradient
    {29, {QPalette::Active, QPalette::Highlight}},         // menu highlight
    {30, {QPalette::Active, QPalette::Window}},            // menu bar
};

// Where texts may reach. A panel keeps a margin at its right edge as wide as the one at its left,
// where the date starts; the big picture draws nothing in its left 60 columns, so the classic
// temperature may reach up to there.
constexpr int PanelRight = 500;
constexpr int PanelTextMargin = 16;
constexpr int ClassicTextLeft = 284;
constexpr int ClassicPictureInkLeft = 300 + 60;
constexpr int GapBeforeNextControl = 4;
constexpr int ClassicTemperatureRoom =
    ClassicPictureInkLeft - GapBeforeNextControl - ClassicTextLeft;
constexpr int ClassicTextRoom = PanelRight - PanelTextMargin - ClassicTextLeft;
constexpr int ClassicDateRoom = ClassicTextLeft - 2 * GapBeforeNextControl - PanelTextMargin;

// The digital skin's bottom line: gaps after the date, the bar, the town and the temperature.
constexpr int LineStart = 16;
constexpr int GapAfterDate = 10;
constexpr int GapAfterBar = 10;
constexpr int GapBeforeTemperature = 20;
constexpr int GapBeforeCondition = 25;
constexpr int LineTop = 151;
constexpr int LineEnd = PanelRight - PanelTextMargin;
// A long town leaves room for the temperature and the start of the condition.
constexpr int LineKeptAfterTown = 110;

void setPointSize(TLabel *label, int points)
{
    QFont font = label->font();
    font.setPixelSize(pointsToPixels(points));
    label->setFont(font);
}

void setBold(TLabel *label, bool bold)
{
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

} // namespace

int pointsToPixels(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QColor colourFromNumber(int number, const QPalette &palette)
{
    const auto value = static_cast<quint32>(number);
    if ((value >> 24) == 0xFF) {
        for (const auto &[index, role] : SystemColours) {
            if (static_cast<quint32>(index) == (value & 0xFF))
                return palette.color(role.first, role.second);
        }
        return palette.color(QPalette::WindowText);
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

double relativeLuminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrastRatio(const QColor &one, const QColor &other)
{
    const double first = relativeLuminance(one);
    const double second = relativeLuminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor haloToneFor(const QColor &text)
{
    constexpr int HaloAlpha = 200;
    return contrastRatio(text, Qt::black) >= contrastRatio(text, Qt::white)
               ? QColor(0, 0, 0, HaloAlpha)
               : QColor(255, 255, 255, HaloAlpha);
}

MinimalisticLayout minimalisticLayout(int sizeStep, int dateWidth, int townWidth,
                                      int conditionWidth, bool clockAndWeather, int clockHeight,
                                      int rowDistance)
{
    MinimalisticLayout layout;
    layout.half = static_cast<int>(std::nearbyint(sizeStep * 0.5)); // halves to the even neighbour
    layout.townTop = layout.half + 5;
    // The second row moves down only as far as its font needs: 25 pixels leave room for the
    // smaller sizes only.
    layout.dateTop = std::max(layout.half + 30, layout.townTop + rowDistance);
    // The narrower of town and date ends 5 pixels before the wider one does, unless that would
    // put its start outside the window.
    if (townWidth > dateWidth) {
        layout.townLeft = 0;
        layout.dateLeft = std::max(0, townWidth - dateWidth - 5);
    } else {
        layout.dateLeft = 0;
        layout.townLeft = std::max(0, dateWidth - townWidth - 5);
    }
    layout.clockLeft = dateWidth + 5;
    layout.conditionTop = layout.half + 5;
    layout.conditionLeft = layout.clockLeft + 5 + (sizeStep + 150) + 2 * sizeStep;
    layout.temperatureTop = layout.dateTop;
    layout.temperatureLeft = layout.conditionLeft;
    layout.windowWidth =
        clockAndWeather ? layout.conditionLeft + conditionWidth + 5 : layout.conditionLeft;
    layout.windowHeight = clockHeight - 60;
    return layout;
}

void TForm1::ChangePanels()
{
    switch (shared.AppSettings.PanelsMode) {
    case DigitalSkin:
        applyDigitalSkin();
        break;
    case ClassicSkin:
        applyClassicSkin();
        break;
    case MinimalisticSkin:
        MinimalisticSkinOn();
        break;
    default:
        break; // no skin: the controls keep their state and both clocks run
    }
    clockChanger();
    showCurrentTime();
}

void TForm1::applyClassicSkin()
{
    MainBackground->setPicture(QStringLiteral("CLASSIKM"));
    AddBackground->setPicture(QStringLiteral("CLASSIKA"));
    CityNameLabel->move(ClassicTextLeft, 125);
    setPointSize(CityNameLabel, 16);
    CityNameLabel->setRoom(ClassicTextRoom);
    DateLabel->setRoom(ClassicDateRoom);
    for (TLabel *label : {HumidityLabel, WindLabel, WindRumbLabel})
        label->show();
    const int windSpeedRight = WindLabel->x() + WindLabel->width();
    WindRumbLabel->move(std::max(ClassicWindDirectionLeft, windSpeedRight), WindRumbLabel->y());
    sepLabel->hide();
    for (TLabel *temperature : {TempFlikLabel, TemLabel}) {
        temperature->move(ClassicTextLeft, 40);
        setPointSize(temperature, 20);
        temperature->setRoom(ClassicTemperatureRoom);
    }
    CloudLabel->move(ClassicTextLeft, CloudLabel->y());
    setBold(CloudLabel, false);
    CloudLabel->setRoom(ClassicTextRoom);
    MainCloud->setScaledToFit(false);
    MainCloud->setGeometry(300, 0, 220, 210);
    Hours->show();
    Minutes->show();
    ModernClock->hide();
    TimerModern->setEnabled(false);
    Clock->setEnabled(true);
}

void TForm1::applyDigitalSkin()
{
    MainBackground->setPicture(QStringLiteral("MODERNM"));
    AddBackground->setPicture(QStringLiteral("MODERNA"));
    CityNameLabel->move(CityNameLabel->x(), LineTop);
    DateLabel->setRoom(UnlimitedRoom);
    const int afterDate = LineStart + DateLabel->width() + GapAfterDate;
    sepLabel->move(afterDate, sepLabel->y());
    CityNameLabel->move(sepLabel->x() + sepLabel->width() + GapAfterBar, CityNameLabel->y());
    setPointSize(CityNameLabel, 10);
    CityNameLabel->setRoom(LineEnd - LineKeptAfterTown - CityNameLabel->x());
    for (TLabel *label : {HumidityLabel, WindLabel, WindRumbLabel})
        label->hide();
    const int temperatureLeft = afterDate + CityNameLabel->width() + GapBeforeTemperature;
    for (TLabel *temperature : {TempFlikLabel, TemLabel}) {
        temperature->move(temperatureLeft, LineTop);
        setPointSize(temperature, 10);
        temperature->setRoom(UnlimitedRoom);
    }
    CloudLabel->move(afterDate + CityNameLabel->width() + TemLabel->width() + GapBeforeCondition,
                     CloudLabel->y());
    setBold(CloudLabel, true);
    // The condition takes the rest of the line, so a long one is fitted rather than cut.
    CloudLabel->setAutoSize(false);
    CloudLabel->setRoom(UnlimitedRoom);
    CloudLabel->resize(std::max(0, LineEnd - CloudLabel->x()), CloudLabel->height());
    MainCloud->setScaledToFit(true);
    MainCloud->setGeometry(320, 20, MainCloud->width(), 150);
    Hours->hide();
    Minutes->hide();
    ModernClock->show();
    TimerModern->setEnabled(true);
    Clock->setEnabled(false);
}

void TForm1::MinimalisticSkinOn()
{
    const TAppSettings &settings = shared.AppSettings;
    CityNameLabel->show();
    AddPanel->setEnabled(false);
    for (QWidget *hidden : std::initializer_list<QWidget *>{
             MainBackground, HumidityLabel, WindLabel, WindRumbLabel, Hours, Minutes})
        hidden->hide();
    ModernClock->show();
    TimerModern->setEnabled(true);
    Clock->setEnabled(false);
    MainCloud->hide();
    sepLabel->hide();

    const QColor colour = colourFromNumber(settings.FontColorForSkin, QApplication::palette());
    const int size = settings.SizeFontForSkin;
    for (TLabel *label :
         {ModernClock, DateLabel, CityNameLabel, CloudLabel, TemLabel, TempFlikLabel}) {
        QFont font(QStringLiteral("Roboto Th"));
        font.setStyleStrategy(QFont::PreferAntialias);
        font.setPixelSize(pointsToPixels(label == ModernClock ? size + 44 : size + 14));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
        label->setFont(font);                // regular: the town and the condition lose their bold
        label->setHalo(haloToneFor(colour)); // no panel behind: the desktop may be any tone
    }
    CloudLabel->setAutoSize(true);
    for (TLabel *label : {DateLabel, CloudLabel, TemLabel, TempFlikLabel})
        label->setRoom(UnlimitedRoom);
    // The town ends where the clock begins.
    CityNameLabel->setRoom(DateLabel->width() + 5);

    // The lower row's capitals clear the upper row's descenders.
    const QFontMetrics rowFont(DateLabel->font());
    const MinimalisticLayout layout = minimalisticLayout(
        size, DateLabel->width(), CityNameLabel->width(), CloudLabel->width(), settings.ClockMode,
        ModernClock->height(), rowFont.capHeight() + rowFont.descent());
    DateLabel->move(layout.dateLeft, layout.dateTop);
    CityNameLabel->move(layout.townLeft, layout.townTop);
    ModernClock->move(layout.clockLeft, 0);
    CloudLabel->move(layout.conditionLeft, layout.conditionTop);
    TemLabel->move(layout.temperatureLeft, layout.temperatureTop);
    TempFlikLabel->move(layout.temperatureLeft, layout.temperatureTop);
    resize(layout.windowWidth, layout.windowHeight);
    shared.ClockFormat = HoursMinutes;
}

} // namespace tervalo
