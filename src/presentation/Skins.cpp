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

// The digital skin's bottom line: gaps after the date, the bar, the town and the temperature.
constexpr int LineStart = 16;
constexpr int GapAfterDate = 10;
constexpr int GapAfterBar = 10;
constexpr int GapBeforeTemperature = 20;
constexpr int GapBeforeCondition = 25;
constexpr int LineTop = 151;
constexpr int DigitalConditionWidth = 150;

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

MinimalisticLayout minimalisticLayout(int sizeStep, int dateWidth, int townWidth,
                                      int conditionWidth, bool clockAndWeather, int clockHeight)
{
    MinimalisticLayout layout;
    layout.half = static_cast<int>(std::nearbyint(sizeStep * 0.5)); // halves to the even neighbour
    layout.dateTop = layout.half + 30;
    layout.townTop = layout.half + 5;
    // The narrower of town and date ends 5 pixels before the wider one does.
    if (townWidth > dateWidth) {
        layout.townLeft = 0;
        layout.dateLeft = townWidth - dateWidth - 5;
    } else {
        layout.dateLeft = 0;
        layout.townLeft = dateWidth - townWidth - 5;
    }
    layout.clockLeft = dateWidth + 5;
    layout.conditionTop = layout.half + 5;
    layout.conditionLeft = layout.clockLeft + 5 + (sizeStep + 150) + 2 * sizeStep;
    layout.temperatureTop = layout.half + 30;
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
    CityNameLabel->move(284, 125);
    setPointSize(CityNameLabel, 16);
    for (TLabel *label : {HumidityLabel, WindLabel, WindRumbLabel})
        label->show();
    const int windSpeedRight = WindLabel->x() + WindLabel->width();
    WindRumbLabel->move(std::max(ClassicWindDirectionLeft, windSpeedRight), WindRumbLabel->y());
    sepLabel->hide();
    for (TLabel *temperature : {TempFlikLabel, TemLabel}) {
        temperature->move(284, 40);
        setPointSize(temperature, 20);
    }
    CloudLabel->move(284, CloudLabel->y());
    setBold(CloudLabel, false);
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
    const int afterDate = LineStart + DateLabel->width() + GapAfterDate;
    sepLabel->move(afterDate, sepLabel->y());
    CityNameLabel->move(sepLabel->x() + sepLabel->width() + GapAfterBar, CityNameLabel->y());
    setPointSize(CityNameLabel, 10);
    for (TLabel *label : {HumidityLabel, WindLabel, WindRumbLabel})
        label->hide();
    const int temperatureLeft = afterDate + CityNameLabel->width() + GapBeforeTemperature;
    for (TLabel *temperature : {TempFlikLabel, TemLabel}) {
        temperature->move(temperatureLeft, LineTop);
        setPointSize(temperature, 10);
    }
    CloudLabel->move(afterDate + CityNameLabel->width() + TemLabel->width() + GapBeforeCondition,
                     CloudLabel->y());
    setBold(CloudLabel, true);
    CloudLabel->setAutoSize(false);
    CloudLabel->resize(DigitalConditionWidth, CloudLabel->height());
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
        label->setFont(font); // regular: the town and the condition lose their bold
    }
    CloudLabel->setAutoSize(true);

    const MinimalisticLayout layout =
        minimalisticLayout(size, DateLabel->width(), CityNameLabel->width(), CloudLabel->width(),
                           settings.ClockMode, ModernClock->height());
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
