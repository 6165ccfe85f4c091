// SPDX-License-Identifier: MIT
// The wind direction, the date line, the forecast day names and the temperature label choice.
#include "forecast/DisplayTexts.h"

#include "shell/Main.h"

#include <utility>

namespace tervalo {

const std::array<QString, 8> WeekdayNames = {
    QString(),
    QStringLiteral("воскресенье"),
    QStringLiteral("понедельник"),
    QStringLiteral("вторник"),
    QStringLiteral("среда"),
    QStringLiteral("четверг"),
    QStringLiteral("пятница"),
    QStringLiteral("суббота"),
};

const std::array<QString, 13> GenitiveMonthNames = {
    QString(),
    QStringLiteral("января"),
    QStringLiteral("февраля"),
    QStringLiteral("марта"),
    QStringLiteral("апреля"),
    QStringLiteral("мая"),
    QStringLiteral("июня"),
    QStringLiteral("июля"),
    QStringLiteral("августа"),
    QStringLiteral("сентября"),
    QStringLiteral("октября"),
    QStringLiteral("ноября"),
    QStringLiteral("декабря"),
};

namespace {

// Every direction text begins with the space that separates it from the wind speed.
const std::pair<const char *, QString> WindDirections[] = {
    {"", QStringLiteral(" ")},     {"n", QStringLiteral(" с")},   {"ne", QStringLiteral(" св")},
    {"e", QStringLiteral(" в")},   {"se", QStringLiteral(" юв")}, {"s", QStringLiteral(" ю")},
    {"sw", QStringLiteral(" юз")}, {"w", QStringLiteral(" з")},   {"nw", QStringLiteral(" сз")},
};

const QString ForecastTemperatureHint = QStringLiteral("Прогнозируемая температура");
const QString FeelsLikeTemperatureHint = QStringLiteral("Ощущаемая температура");

// The forecast columns three to five name the days two to four days from today.
constexpr int FirstNamedDayOffset = 2;

} // namespace

std::optional<QString> windText(const QString &directionCode)
{
    for (const auto &[code, text] : WindDirections) {
        if (directionCode == QLatin1String(code))
            return text;
    }
    return std::nullopt;
}

QString weekdayName(const QDate &date)
{
    // Qt counts Monday 1 to Sunday 7; the table counts Sunday 1 to Saturday 7.
    return WeekdayNames[date.dayOfWeek() % 7 + 1];
}

std::optional<QString> dateText(int format, const QDate &date)
{
    const QString weekday = weekdayName(date);
    const QString day = QString::number(date.day());
    const QString month = GenitiveMonthNames[date.month()];
    const QString year = QString::number(date.year());
    switch (format) {
    case 0:
        return weekday + QStringLiteral(", ") + day + QLatin1Char(' ') + month + QLatin1Char(' ');
    case 1:
        return weekday + QStringLiteral(", ") + day + QLatin1Char(' ') + month + QLatin1Char(' ') +
               year;
    case 2:
        return day + QLatin1Char(' ') + month + QLatin1Char(' ') + year;
    case 3:
        return day + QLatin1Char('.') + QString::number(date.month()) + QLatin1Char('.') + year;
    default:
        return std::nullopt;
    }
}

// An unknown code keeps the direction of an earlier update.
void TForm1::WindConvert()
{
    if (const std::optional<QString> text = windText(shared.WindDirectionCode))
        WindRumbLabel->setText(*text);
}

void TForm1::DateConvert()
{
    const QDate today = context.platform.now().date();
    if (const std::optional<QString> text = dateText(shared.AppSettings.DateFormat, today))
        DateLabel->setText(*text);
}

void TForm1::DayConvert()
{
    const QDate today = context.platform.now().date();
    const std::array<TLabel *, 3> dayLabels = {ThreeDay, FourDay, FifthDay};
    for (int k = 0; k < 3; ++k)
        dayLabels[k]->setText(weekdayName(today.addDays(FirstNamedDayOffset + k)));
}

// Only the label shown gets its hint; the feels-like label has no source of its own and shows
// its design text.
void TForm1::FlickTemp()
{
    const bool feelsLike = shared.AppSettings.TempLabel;
    TempFlikLabel->setVisible(feelsLike);
    TemLabel->setVisible(!feelsLike);
    if (feelsLike)
        TempFlikLabel->setToolTip(FeelsLikeTemperatureHint);
    else
        TemLabel->setToolTip(ForecastTemperatureHint);
}

} // namespace tervalo
