// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"

#include "platform/AppError.h"
#include "platform/TextCodec.h"

#include <QStringList>

namespace tervalo {

namespace {

// The file as lines, remembering the line break it uses so that a rewrite keeps it.
struct IniText {
    QStringList lines;
    QString lineBreak = QStringLiteral("\n");
};

IniText parse(const std::optional<QByteArray> &bytes)
{
    IniText text;
    if (!bytes || bytes->isEmpty())
        return text;
    QString contents = decodeUtf8OrWindows1251(*bytes);
    if (contents.contains(QLatin1String("\r\n")))
        text.lineBreak = QStringLiteral("\r\n");
    contents.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (contents.endsWith(QLatin1Char('\n')))
        contents.chop(1);
    text.lines = contents.split(QLatin1Char('\n'));
    return text;
}

std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

bool keyMatches(const QString &line, const QString &key)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals >= 0 && line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

QString valueOf(const QString &line)
{
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        value = value.mid(1, value.size() - 2);
    return value.left(IniFile::MaxValueLength);
}

// Where a section's lines are: its header and the line after its last key.
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan findSection(const QStringList &lines, const QString &section)
{
    SectionSpan span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionName(lines[i]);
        if (span.header >= 0) {
            if (name)
                break;
            if (lines[i].contains(QLatin1Char('=')))
                span.end = i + 1;
        } else if (name && name->compare(section, Qt::CaseInsensitive) == 0) {
            span.header = i;
            span.end = i + 1;
        }
    }
    return span;
}

qsizetype findKey(const QStringList &lines, const SectionSpan &span, const QString &key)
{
    for (qsizetype i = span.header + 1; span.header >= 0 && i < span.end; ++i) {
        if (keyMatches(lines[i], key))
            return i;
    }
    return -1;
}

QString oneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

void setValue(QStringList &lines, const IniValue &entry)
{
    const SectionSpan span = findSection(lines, entry.section);
    const qsizetype line = findKey(lines, span, entry.key);
    const QString value = oneLine(entry.value);
    if (line >= 0) {
        const QString &old = lines[line];
        lines[line] = old.left(old.indexOf(QLatin1Char('='))) + QLatin1Char('=') + value;
    } else if (span.header >= 0) {
        lines.insert(span.end, entry.key + QLatin1Char('=') + value);
    } else {
        lines << QLatin1Char('[') + entry.section + QLatin1Char(']')
              << entry.key + QLatin1Char('=') + value;
    }
}

} // namespace

IniFile::IniFile(QString path, FileStore &files)
    : filePath(std::move(path))
    , store(files)
{}

std::optional<QString> IniFile::read(const QString &section, const QString &key) const
{
    const IniText text = parse(store.read(filePath));
    const SectionSpan span = findSection(text.lines, section);
    const qsizetype line = findKey(text.lines, span, key);
    if (line < 0)
        return std::nullopt;
    return valueOf(text.lines[line]);
}

void IniFile::write(const QString &section, const QString &key, const QString &value)
{
    write(std::vector<IniValue>{{section, key, value}});
}

void IniFile::write(const std::vector<IniValue> &values)
{
    IniText text = parse(store.read(filePath));
    for (const IniValue &entry : values)
        setValue(text.lines, entry);
    const QString contents = text.lines.join(text.lineBreak) + text.lineBreak;
    // A text that begins with the mark's character gets a mark of its own before it, or reading
    // would take its character for the mark and drop it.
    const QByteArray mark = contents.startsWith(QChar(0xFEFF)) ? "\xEF\xBB\xBF" : "";
    if (!store.replace(filePath, mark + contents.toUtf8()))
        throw AppError(QStringLiteral("Unable to write to %1").arg(filePath));
}

} // namespace tervalo
