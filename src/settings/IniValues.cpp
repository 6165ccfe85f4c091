// SPDX-License-Identifier: MIT
#include "settings/IniValues.h"

namespace tervalo::ini_values {

std::optional<int> parseInteger(const QString &text)
{
    bool ok = false;
    if (text.size() > 2 && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = text.mid(2);
        const uint value = digits.size() <= 8 ? digits.toUInt(&ok, 16) : 0;
        if (!ok || digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
            return std::nullopt;
        return static_cast<int>(value);
    }
    const int value = text.toInt(&ok, 10);
    if (!ok || text.trimmed() != text)
        return std::nullopt;
    return value;
}

std::optional<bool> parseFlag(const QString &text)
{
    const std::optional<int> value = parseInteger(text);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

QString formatInteger(int value)
{
    return QString::number(value);
}

QString formatFlag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace tervalo::ini_values
