// SPDX-License-Identifier: MIT
// The stored proxy password. Any password, taken as UTF-16 units, survives encoding and decoding
// as its first 63 units with those above U+00FF as "?", and is stored as one line of the
// alphabet. Any stored text, damaged by hand included, decodes to at most 63 byte-sized
// characters, which are then stored and read back unchanged.
#include "FuzzSupport.h"

#include "settings/Xxe.h"

#include <algorithm>

using namespace tervalo;

namespace {

const QString Alphabet =
    QStringLiteral("+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

QString asStored(const QString &password)
{
    QString expected = password.left(xxe::MaxLineBytes);
    for (QChar &unit : expected) {
        if (unit.unicode() > 0xFF)
            unit = QLatin1Char('?');
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString password(reinterpret_cast<const QChar *>(data),
                           static_cast<qsizetype>(size / sizeof(QChar)));
    const QString stored = xxe::encode(password);
    fuzz::check(
        std::all_of(stored.begin(), stored.end(), [](QChar c) { return Alphabet.contains(c); }),
        "the stored line holds only the alphabet", stored);
    fuzz::check(xxe::decode(stored) == asStored(password), "a password survives its round trip",
                stored);

    // The same bytes as text in the file, as a hand might have left it.
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString decoded = xxe::decode(text);
    fuzz::check(decoded.size() <= xxe::MaxLineBytes &&
                    std::all_of(decoded.begin(), decoded.end(),
                                [](QChar c) { return c.unicode() <= 0xFF; }),
                "a stored text decodes to at most a line of bytes", decoded);
    fuzz::check(xxe::decode(xxe::encode(decoded)) == decoded, "a decoded password encodes back",
                text);
    return 0;
}
