// SPDX-License-Identifier: MIT
#include "settings/Xxe.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

namespace tervalo {
namespace {

struct EncodingCase {
    const char *what;
    QString password;
    QString stored;
    QString readBack;
};

// Expected texts worked out by hand from the XXE alphabet
// "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz".
TEST(Xxe, EncodesAndDecodesThePasswordTable)
{
    const QString sixtyThreeX(63, QLatin1Char('x'));
    const QString sixtyThreeGroups = QStringLiteral("S5Vs").repeated(21);
    const EncodingCase cases[] = {
        {"empty", QString(), QString(), QString()},
        {"one byte: two fill characters", QStringLiteral("a"), QStringLiteral("-ME++"),
         QStringLiteral("a")},
        {"two bytes: one fill character", QStringLiteral("ab"), QStringLiteral("0MK6+"),
         QStringLiteral("ab")},
        {"three bytes: a full group", QStringLiteral("abc"), QStringLiteral("1MK7X"),
         QStringLiteral("abc")},
        {"four bytes: nine characters", QStringLiteral("abcd"), QStringLiteral("2MK7XN+++"),
         QStringLiteral("abcd")},
        {"63 bytes: one full line", sixtyThreeX, QStringLiteral("z") + sixtyThreeGroups,
         sixtyThreeX},
        {"longer than a line: cut to 63", QString(70, QLatin1Char('x')),
         QStringLiteral("z") + sixtyThreeGroups, sixtyThreeX},
        {"Latin-1 survives", QStringLiteral("é"), QStringLiteral("-uE++"), QStringLiteral("é")},
        {"Cyrillic becomes question marks", QStringLiteral("пароль"), QStringLiteral("4DnwzDnwz"),
         QStringLiteral("??????")},
    };
    for (const EncodingCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(xxe::encode(c.password), c.stored);
        EXPECT_EQ(xxe::decode(c.stored), c.readBack);
    }
}

TEST(Xxe, EveryByteValueSurvivesAtEveryLength)
{
    for (int length = 1; length <= xxe::MaxLineBytes; ++length) {
        QString password;
        for (int i = 0; i < length; ++i)
            password += QChar(static_cast<char16_t>((i * 37 + length * 11) % 256));
        const QString stored = xxe::encode(password);
        ASSERT_EQ(stored.size(), 1 + (length + 2) / 3 * 4) << "length " << length;
        ASSERT_EQ(xxe::decode(stored), password) << "length " << length;
    }
}

TEST(Xxe, DecodingToleratesDamagedStoredText)
{
    // A trailing incomplete group is ignored, and the count takes only the bytes it names.
    EXPECT_EQ(xxe::decode(QStringLiteral("1MK7XN+")), QStringLiteral("abc"));
    EXPECT_EQ(xxe::decode(QStringLiteral("0MK7X")), QStringLiteral("ab"));
    EXPECT_EQ(xxe::decode(QStringLiteral("2MK7X")), QStringLiteral("abc"));
    // Characters outside the alphabet count as the fill character instead of failing.
    EXPECT_EQ(xxe::decode(QStringLiteral("-M!++")), xxe::decode(QStringLiteral("-M+++")));
    EXPECT_EQ(xxe::decode(QStringLiteral("Ж")), QString());
}

} // namespace
} // namespace tervalo
