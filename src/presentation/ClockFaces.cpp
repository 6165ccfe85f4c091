// SPDX-License-Identifier: MIT
// The two clock faces: flip cards in Hours and Minutes, and the text in ModernClock.
#include "presentation/ClockFaces.h"

#include "shell/Main.h"

#include <QLocale>

namespace tervalo {

QString cardName(int number)
{
    return QStringLiteral("clock") + QString::number(number);
}

QString formatClock(const QString &format, const QTime &time, const QString &separator)
{
    const auto twoDigits = [](int value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    QString text;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QStringView pair = QStringView(format).mid(i, 2);
        if (pair.compare(QLatin1String("hh"), Qt::CaseInsensitive) == 0) {
            text += twoDigits(time.hour());
        } else if (pair.compare(QLatin1String("nn"), Qt::CaseInsensitive) == 0) {
            text += twoDigits(time.minute());
        } else if (pair.compare(QLatin1String("ss"), Qt::CaseInsensitive) == 0) {
            text += twoDigits(time.second());
        } else {
            text += format[i] == QLatin1Char(':') ? separator : QString(format[i]);
            continue;
        }
        ++i;
    }
    return text;
}

QString timeSeparator()
{
    const QString format = QLocale::system().timeFormat(QLocale::ShortFormat);
    for (const QChar character : format) {
        if (!character.isLetter())
            return QString(character);
    }
    return QStringLiteral(":");
}

namespace {
// The text clock asks every second; the regional settings are read once.
const QString &regionalTimeSeparator()
{
    static const QString separator = timeSeparator();
    return separator;
}
} // namespace

// Loads a card only when the hour or the minute has changed: the pictures remember theirs.
void TForm1::ClockTimer()
{
    const QTime now = context.platform.now().time();
    Hours->setPicture(cardName(now.hour()));
    Minutes->setPicture(cardName(now.minute()));
}

void TForm1::TimerModernTimer()
{
    ModernClock->setText(
        formatClock(shared.ClockFormat, context.platform.now().time(), regionalTimeSeparator()));
}

// A clock that has just been set up shows the time from its first frame, not from its first
// tick up to a second later.
void TForm1::showCurrentTime()
{
    if (Clock->isEnabled())
        ClockTimer();
    if (TimerModern->isEnabled())
        TimerModernTimer();
}

// In the digital skin, seconds and the separator bar follow the face: seconds without the
// weather, the bar with it.
void TForm1::clockChanger()
{
    if (shared.AppSettings.PanelsMode != 1)
        return;
    const bool withWeather = !MainCloud->isHidden();
    shared.ClockFormat = withWeather ? HoursMinutes : HoursMinutesSeconds;
    sepLabel->setVisible(withWeather);
}

} // namespace tervalo
