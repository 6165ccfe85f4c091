// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tervalo {

// Decodes bytes in the named character set (any name iconv knows: "windows-1251", "koi8-r",
// "utf-8" ...). Empty when the name is unknown or the bytes are not valid in that set.
std::optional<QString> decodeText(const QByteArray &bytes, const QByteArray &charset);

// Decodes an XML document's bytes as an XML parser reads them: by a UTF-16 byte-order mark,
// else by the encoding their declaration names, else as UTF-8 (a UTF-8 mark is dropped).
// Empty when that encoding is unknown or the bytes are not valid in it.
std::optional<QString> decodeXmlDocument(const QByteArray &bytes);

// Decodes bytes that are UTF-8, or else Windows-1251 (the older files of Russian users),
// deciding line by line: a line that is valid UTF-8 is read as UTF-8, any other as
// Windows-1251. A UTF-16 byte-order mark makes the whole text UTF-16; a UTF-8 one is dropped.
// Only the first bytes can be a mark: anywhere else, a further one included, it is a character.
// Half a surrogate pair in UTF-16 becomes the replacement character.
QString decodeUtf8OrWindows1251(const QByteArray &bytes);

} // namespace tervalo
