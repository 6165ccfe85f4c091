// SPDX-License-Identifier: MIT
#include "platform/XmlDocument.h"

#include "platform/AppError.h"

#include <QFile>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

namespace tervalo {

namespace {

// No network, no DTD loading and no entity substitution: a document can neither reach out
// nor expand itself. CDATA sections stay nodes of their own.
constexpr int ParseOptions = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR;
// How much of the offending line a load error quotes, and how far it reaches back from the
// point where the parser stopped (which is often just past the offending text).
constexpr int QuotedLength = 40;
constexpr int QuotedLead = 20;

QString fromXml(const xmlChar *text)
{
    return text ? QString::fromUtf8(reinterpret_cast<const char *>(text)) : QString();
}

bool isBlank(const xmlNode *node)
{
    return node->type == XML_TEXT_NODE && xmlIsBlankNode(node);
}

// Removes blank text between elements, so that children count as the readers expect.
void dropBlankText(xmlNode *parent)
{
    xmlNode *child = parent->children;
    while (child) {
        xmlNode *next = child->next;
        if (isBlank(child)) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        } else if (child->type == XML_ELEMENT_NODE) {
            dropBlankText(child);
        }
        child = next;
    }
}

// The offending text around the error's line and column, for the error message.
QString offendingText(const QByteArray &bytes, const xmlError *error)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (error->line < 1 || error->line > lines.size())
        return {};
    const QByteArray &line = lines[error->line - 1];
    const QString text = QString::fromUtf8(line);
    const qsizetype stop = std::clamp<qsizetype>(error->int2 - 1, 0, text.size());
    return text.mid(std::max<qsizetype>(stop - QuotedLead, 0), QuotedLength).trimmed();
}

QString loadError(const QByteArray &bytes, const xmlError *error)
{
    if (!error)
        return QStringLiteral("The document is empty or not XML");
    QString reason = QString::fromUtf8(error->message).trimmed();
    QString message = QStringLiteral("%1 (line %2").arg(reason).arg(error->line);
    const QString quoted = offendingText(bytes, error);
    if (!quoted.isEmpty())
        message += QStringLiteral(": \"%1\"").arg(quoted);
    return message + QLatin1Char(')');
}

// libxml2 checks the attributes of an element against each other, which takes minutes for an
// element with a few hundred thousand of them. No document the program reads has more than a
// handful, so a document with an element of more than this many is refused before parsing.
constexpr int MaxAttributesPerElement = 1000;

// The most attributes one tag of the document could hold: the '=' signs between a '<' and its
// '>' outside quoted values. The characters are single bytes in every encoding the program
// reads, with zero bytes beside them in UTF-16, so the bytes are scanned as they are.
int mostAttributesInOneTag(const QByteArray &bytes)
{
    int most = 0;
    int count = 0;
    bool inTag = false;
    char quote = 0;
    for (const char c : bytes) {
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '<') {
            inTag = true;
            count = 0;
        } else if (inTag && c == '>') {
            inTag = false;
        } else if (inTag && (c == '"' || c == '\'')) {
            quote = c;
        } else if (inTag && c == '=') {
            most = std::max(most, ++count);
        }
    }
    return most;
}

bool inNamespaceOf(const xmlNode *child, const xmlNode *parent)
{
    if (!parent->ns)
        return true;
    return child->ns && xmlStrEqual(child->ns->href, parent->ns->href);
}

bool hasName(const xmlNode *node, const QByteArray &name)
{
    const auto wanted = reinterpret_cast<const xmlChar *>(name.constData());
    if (xmlStrEqual(node->name, wanted))
        return true;
    if (!node->ns || !node->ns->prefix)
        return false;
    const QByteArray qualified = QByteArray(reinterpret_cast<const char *>(node->ns->prefix)) +
                                 ':' + reinterpret_cast<const char *>(node->name);
    return qualified == name;
}

} // namespace

XmlNode::XmlNode(_xmlNode *node, QString absentName)
    : node(node)
    , absentName(std::move(absentName))
{}

QString XmlNode::name() const
{
    if (!node)
        return absentName;
    if (node->type == XML_ELEMENT_NODE && node->ns && node->ns->prefix)
        return fromXml(node->ns->prefix) + QLatin1Char(':') + fromXml(node->name);
    return fromXml(node->name);
}

bool XmlNode::isElement() const
{
    return !node || node->type == XML_ELEMENT_NODE;
}

// childCount() and child() step with these two as well, so all three number alike.
std::optional<XmlNode> XmlNode::firstChild() const
{
    if (!node || !node->children)
        return std::nullopt;
    return XmlNode(node->children);
}

std::optional<XmlNode> XmlNode::nextSibling() const
{
    if (!node || !node->next)
        return std::nullopt;
    return XmlNode(node->next);
}

int XmlNode::childCount() const
{
    int count = 0;
    for (std::optional<XmlNode> child = firstChild(); child; child = child->nextSibling())
        ++count;
    return count;
}

XmlNode XmlNode::child(int index) const
{
    std::optional<XmlNode> child = index >= 0 ? firstChild() : std::nullopt;
    for (int i = 0; child && i < index; ++i)
        child = child->nextSibling();
    if (!child)
        throw AppError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *child;
}

XmlNode XmlNode::childByName(const QString &name) const
{
    const QByteArray wanted = name.toUtf8();
    for (xmlNode *child = node ? node->children : nullptr; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && hasName(child, wanted) && inNamespaceOf(child, node))
            return XmlNode(child);
    }
    return XmlNode(nullptr, name);
}

std::optional<QString> XmlNode::attribute(const QString &name) const
{
    if (!node || node->type != XML_ELEMENT_NODE)
        return std::nullopt;
    const QByteArray wanted = name.toUtf8();
    xmlChar *value = xmlGetProp(node, reinterpret_cast<const xmlChar *>(wanted.constData()));
    if (!value)
        return std::nullopt;
    const QString text = fromXml(value);
    xmlFree(value);
    return text;
}

QString XmlNode::text() const
{
    const xmlNode *only = node ? node->children : nullptr;
    if (!only)
        return {};
    if (!only->next && (only->type == XML_TEXT_NODE || only->type == XML_CDATA_SECTION_NODE))
        return fromXml(only->content);
    throw AppError(
        QStringLiteral("Element \"%1\" does not contain a single text node").arg(name()));
}

void XmlDocument::FreeDocument::operator()(_xmlDoc *document) const
{
    xmlFreeDoc(document);
}

// The parser's global state is set up here, on the window's thread, before any document may be
// loaded on a helper thread while the network is awaited.
XmlDocument::XmlDocument()
{
    xmlInitParser();
}

XmlDocument::~XmlDocument() = default;

void XmlDocument::parse(const QByteArray &bytes, const char *encoding)
{
    document.reset();
    active = false;
    if (mostAttributesInOneTag(bytes) > MaxAttributesPerElement)
        throw AppError(
            QStringLiteral("An element has more than %1 attributes").arg(MaxAttributesPerElement));
    xmlResetLastError();
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(),
                                                                         xmlFreeParserCtxt);
    if (!context)
        throw AppError(QStringLiteral("The XML parser cannot be started"));
    xmlDoc *parsed =
        xmlCtxtReadMemory(context.get(), bytes.constData(), static_cast<int>(bytes.size()), nullptr,
                          encoding, ParseOptions);
    // libxml2 goes on after a namespace error, such as an undeclared prefix, and keeps the
    // prefixed name as a plain one; the document is not well-formed all the same.
    if (!parsed || !context->wellFormed || !context->nsWellFormed) {
        xmlFreeDoc(parsed);
        const xmlError *error = xmlCtxtGetLastError(context.get());
        throw AppError(loadError(bytes, error));
    }
    document.reset(parsed);
    if (xmlNode *root = xmlDocGetRootElement(parsed))
        dropBlankText(root);
    active = true;
}

void XmlDocument::loadFromText(const QString &text)
{
    parse(text.toUtf8(), "UTF-8");
}

void XmlDocument::loadFromBytes(const QByteArray &bytes)
{
    parse(bytes, nullptr);
}

void XmlDocument::loadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(
            QStringLiteral("The file \"%1\" cannot be read: %2").arg(path, file.errorString()));
    loadFromBytes(file.readAll());
}

void XmlDocument::loadFromAddress(const QString &address, const TransferLimits &limits)
{
    loadFromBytes(plainGet(address, limits).body);
}

void XmlDocument::setActive(bool value)
{
    active = value && document != nullptr;
    if (!value)
        document.reset();
}

XmlNode XmlDocument::documentElement() const
{
    xmlNode *root = active && document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (!root)
        throw AppError(QStringLiteral("The XML document has no document element"));
    return XmlNode(root);
}

} // namespace tervalo
