// SPDX-License-Identifier: MIT
#include "settings/DialogTexts.h"

#include "forecast/ForecastReading.h"
#include "platform/AppError.h"

#include <QRegularExpression>

namespace tervalo {

QString previewPictureName(int skin, int content)
{
    static const char *const names[3][2] = {
        {"clsw", "clsc"},
        {"ditw", "ditc"},
        {"mnlw", "mnlc"},
    };
    if (skin < 0 || skin > 2 || content < 0 || content > 1)
        return {};
    return QLatin1String(names[skin][content]);
}

QString updateIntervalText(int position)
{
    return QStringLiteral("Интервал обновления прогноза погоды: ") +
           QString::number(position * 10) + QStringLiteral(" минут");
}

QString skinSizeText(int position)
{
    return QStringLiteral("Размер х") + QString::number(position);
}

QString receivedText(const QString &station, const QString &observationTime)
{
    const auto known = [](const QString &value) { return value.isEmpty() ? NoData : value; };
    return QStringLiteral("Получено: ") + known(station) + QStringLiteral(", ") +
           known(observationTime);
}

int integerValueOf(const QString &text)
{
    static const QRegularExpression integer(QStringLiteral("^ *[+-]?[0-9]+$"));
    bool inRange = false;
    const int value = text.trimmed().toInt(&inRange, 10);
    if (!integer.match(text).hasMatch() || !inRange)
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

} // namespace tervalo
