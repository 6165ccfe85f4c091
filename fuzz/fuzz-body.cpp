// SPDX-License-Identifier: MIT
// An HTTP answer's body as text: the input's first line is the content type, the rest the body.
// Only the program's own error may come out. An XML answer reads the same whatever charset the
// header names; any other answer without a charset that is valid UTF-8 reads unchanged, less
// a leading byte-order mark. The
// settings file's decoding keeps every line break, and valid UTF-8 as it is.
#include "FuzzSupport.h"

#include "platform/AppError.h"
#include "platform/HttpClient.h"
#include "platform/TextCodec.h"

#include <QByteArrayList>
#include <QStringDecoder>

using namespace tervalo;

namespace {

std::optional<QString> textOf(const QByteArray &body, const QByteArray &contentType)
{
    try {
        return HttpAnswer{body, contentType}.text();
    } catch (const AppError &) {
        return std::nullopt;
    }
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes);
    return !utf8.hasError();
}

QString shown(const std::optional<QString> &text)
{
    return text ? *text : QStringLiteral("(an error)");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::bytesOf(data, size);
    const qsizetype newline = input.indexOf('\n');
    const QByteArray contentType = newline < 0 ? QByteArray() : input.left(newline);
    const QByteArray body = newline < 0 ? input : input.mid(newline + 1);
    const std::optional<QString> text = textOf(body, contentType);

    const QByteArray mediaType = contentType.split(';').constFirst();
    const QByteArray type = mediaType.trimmed().toLower();
    if (type == "text/xml" || type == "application/xml" || type.endsWith("+xml")) {
        const std::optional<QString> bare = textOf(body, mediaType);
        fuzz::check(text == bare, "an XML answer reads as it declares itself, not as the header",
                    shown(text) + QStringLiteral("\n--- without the header's charset:\n") +
                        shown(bare));
    } else if (!contentType.contains('=') && isUtf8(body)) {
        const QByteArray unmarked = body.startsWith("\xEF\xBB\xBF") ? body.mid(3) : body;
        fuzz::check(text && text->toUtf8() == unmarked, "a UTF-8 answer reads unchanged",
                    shown(text));
    }

    const QString lines = decodeUtf8OrWindows1251(body);
    if (!body.startsWith("\xFF\xFE") && !body.startsWith("\xFE\xFF")) {
        fuzz::check(lines.count(QLatin1Char('\n')) == body.count('\n'),
                    "the settings decoding keeps every line", lines);
        if (isUtf8(body) && !body.startsWith("\xEF\xBB\xBF"))
            fuzz::check(lines == QString::fromUtf8(body), "valid UTF-8 stays as it is", lines);
    }
    return 0;
}
