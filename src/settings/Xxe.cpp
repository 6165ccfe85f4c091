// SPDX-License-Identifier: MIT
#include "settings/Xxe.h"

#include <QByteArray>

namespace tervalo::xxe {

namespace {

constexpr char Alphabet[] = "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr char Fill = Alphabet[0];

QByteArray toBytes(const QString &password)
{
    QByteArray bytes;
    bytes.reserve(password.size());
    for (const QChar unit : password)
        bytes.append(unit.unicode() < 256 ? static_cast<char>(unit.unicode()) : '?');
    return bytes;
}

// An index of the alphabet; characters outside it (a hand-edited file) count as the fill.
int indexOf(QChar character)
{
    const char *found =
        character.unicode() < 128
            ? std::char_traits<char>::find(Alphabet, 64, static_cast<char>(character.unicode()))
            : nullptr;
    return found ? static_cast<int>(found - Alphabet) : 0;
}

void appendGroup(QString &line, const QByteArray &bytes, qsizetype at)
{
    const qsizetype count = std::min<qsizetype>(3, bytes.size() - at);
    const auto byte = [&](qsizetype i) {
        return i < count ? static_cast<quint8>(bytes[at + i]) : 0;
    };
    const int b0 = byte(0), b1 = byte(1), b2 = byte(2);
    line += QLatin1Char(Alphabet[b0 >> 2]);
    line += QLatin1Char(Alphabet[((b0 & 3) << 4) | (b1 >> 4)]);
    line += QLatin1Char(count > 1 ? Alphabet[((b1 & 15) << 2) | (b2 >> 6)] : Fill);
    line += QLatin1Char(count > 2 ? Alphabet[b2 & 63] : Fill);
}

} // namespace

QString encode(const QString &password)
{
    const QByteArray bytes = toBytes(password).left(MaxLineBytes);
    if (bytes.isEmpty())
        return {};
    // The line starts with the length; braces, since with parentheses this would declare a
    // function taking an array named Alphabet.
    QString line{QLatin1Char(Alphabet[bytes.size()])};
    for (qsizetype at = 0; at < bytes.size(); at += 3)
        appendGroup(line, bytes, at);
    return line;
}

QString decode(const QString &stored)
{
    if (stored.isEmpty())
        return {};
    const int length = indexOf(stored.front());
    QString password;
    for (qsizetype at = 1; at + 4 <= stored.size() && password.size() < length; at += 4) {
        const int i0 = indexOf(stored[at]), i1 = indexOf(stored[at + 1]);
        const int i2 = indexOf(stored[at + 2]), i3 = indexOf(stored[at + 3]);
        const int bytes[3] = {(i0 << 2) | (i1 >> 4), ((i1 & 15) << 4) | (i2 >> 2),
                              ((i2 & 3) << 6) | i3};
        for (const int byte : bytes) {
            if (password.size() < length)
                password += QChar(static_cast<char16_t>(byte & 0xFF));
        }
    }
    return password;
}

} // namespace tervalo::xxe
