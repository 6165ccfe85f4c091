// SPDX-License-Identifier: MIT
#include "settings/TownChoice.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tervalo {

namespace {

// One bit per character code from FirstFilteredCode on, bit n of byte k for the code
// FirstFilteredCode + 8k + n; a set bit swallows the character.
constexpr char32_t FirstFilteredCode = 8;
constexpr int FilteredCodes = 184;
constexpr std::array<std::uint8_t, FilteredCodes / 8> SwallowedBits = {
    0x20, // 13 (Enter)
    0x00, 0x00,
    0x7e,       // 33-38 ! " # $ % &
    0xdf,       // 40-44 ( ) * + ,  46-47 . /
    0xff, 0xff, // 48-63 digits, : ; < = > ?
    0x01,       // 64 @
    0x00, 0x00,
    0xf8, // 91-95 [ \ ] ^ _
    0x01, // 96 `
    0x00, 0x00,
    0x78, // 123-126 { | } ~
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x02, // 185 superscript one
};

} // namespace

QString townEntry(const QString &town, const QString &group, const QString &id)
{
    return town + QStringLiteral(", ") + group + QStringLiteral(" - ") + id;
}

bool townBoxSwallows(char32_t code)
{
    if (code < FirstFilteredCode || code >= FirstFilteredCode + FilteredCodes)
        return false;
    const char32_t bit = code - FirstFilteredCode;
    return (SwallowedBits[bit / 8] >> (bit % 8)) & 1;
}

TownEntryParts cutTownEntry(const QString &boxText)
{
    // A missing "- " counts as found just before the text, so the identifier loses the first
    // character: indexOf() gives -1 then.
    const qsizetype dash = boxText.indexOf(QStringLiteral("- "));
    const qsizetype comma = boxText.indexOf(QStringLiteral(", "));
    return {boxText.mid(dash + 2), comma < 0 ? QString() : boxText.left(comma)};
}

bool HasNoDigit(const QString &text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace tervalo
