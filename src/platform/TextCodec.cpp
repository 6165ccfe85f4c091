// SPDX-License-Identifier: MIT
#include "platform/TextCodec.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <iconv.h>

#include <cerrno>

namespace tervalo {

namespace {

const char Utf8Mark[] = "\xEF\xBB\xBF";

bool hasUtf16Mark(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// The encoding named by an XML declaration at the very start; empty when there is none.
QByteArray declaredXmlEncoding(const QByteArray &bytes)
{
    static const QRegularExpression declaration(
        QStringLiteral("^<\\?xml\\s[^>]*encoding\\s*=\\s*[\"']([A-Za-z][A-Za-z0-9._-]*)[\"']"));
    return declaration.match(QString::fromLatin1(bytes.left(200))).captured(1).toLatin1();
}

} // namespace

std::optional<QString> decodeText(const QByteArray &bytes, const QByteArray &charset)
{
    iconv_t converter = ::iconv_open("UTF-8", charset.constData());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;

    QByteArray utf8(bytes.size() * 4 + 4, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char *out = utf8.data();
    size_t outLeft = static_cast<size_t>(utf8.size());
    const size_t result = ::iconv(converter, &in, &inLeft, &out, &outLeft);
    ::iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    utf8.truncate(utf8.size() - static_cast<qsizetype>(outLeft));
    return QString::fromUtf8(utf8);
}

std::optional<QString> decodeXmlDocument(const QByteArray &bytes)
{
    if (hasUtf16Mark(bytes))
        return decodeText(bytes, "UTF-16"); // the mark gives the byte order
    const QByteArray document = bytes.startsWith(Utf8Mark) ? bytes.mid(3) : bytes;
    const QByteArray declared = declaredXmlEncoding(document);
    return decodeText(document, declared.isEmpty() ? QByteArray("UTF-8") : declared);
}

namespace {

// The file's own mark is cut off before decoding; a decoder would otherwise drop a further one at
// the start of the text, or of every line, which is a character of that line instead.
constexpr auto NoMarkSkipped = QStringDecoder::Flag::ConvertInitialBom;

QString decodeUtf16(const QByteArray &bytes)
{
    const auto encoding =
        bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE;
    QStringDecoder utf16(encoding, QStringDecoder::Flag::Stateless | NoMarkSkipped);
    QString text = utf16.decode(bytes.mid(2));
    // The decoder passes half a surrogate pair through, which UTF-8 cannot hold: a rewrite of the
    // file would turn it into something else. It is the replacement character from the start.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

QString decodeLine(QByteArrayView line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | NoMarkSkipped);
    QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    return decodeText(line.toByteArray(), "WINDOWS-1251").value_or(text);
}

} // namespace

// Line by line, since a file that an editor or another program touched may mix the two: one
// stray line must not turn the valid UTF-8 around it into mojibake.
QString decodeUtf8OrWindows1251(const QByteArray &bytes)
{
    if (hasUtf16Mark(bytes))
        return decodeUtf16(bytes);
    const QByteArrayView body =
        bytes.startsWith(Utf8Mark) ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    QString text;
    text.reserve(body.size());
    for (qsizetype start = 0; start < body.size();) {
        const qsizetype newline = body.indexOf('\n', start);
        const qsizetype end = newline < 0 ? body.size() : newline + 1;
        text += decodeLine(body.sliced(start, end - start));
        start = end;
    }
    return text;
}

} // namespace tervalo
