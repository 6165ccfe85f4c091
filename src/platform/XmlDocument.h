// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpClient.h"

#include <QString>

#include <memory>
#include <optional>

struct _xmlDoc;
struct _xmlNode;

namespace tervalo {

// A node of a loaded document. A child asked for by name that does not exist is an "absent"
// node: an empty element of that name, whose text is empty and whose own children are absent
// too, so a reader never fails on a missing element.
class XmlNode {
public:
    XmlNode(_xmlNode *node, QString absentName = {});

    QString name() const;
    bool isElement() const;
    bool isAbsent() const { return node == nullptr; }

    // The child nodes in document order: elements, comments, processing instructions, CDATA
    // sections and text that is not blank.
    int childCount() const;
    // Throws AppError for an index beyond the last child. Costs a step per child before it:
    // a reader that goes through the children walks them with nextSibling() instead.
    XmlNode child(int index) const;
    // The first child, and the node after this one among its parent's children, as child()
    // numbers them; nothing past the last. One step each, however many children there are.
    std::optional<XmlNode> firstChild() const;
    std::optional<XmlNode> nextSibling() const;
    // The first child element with this name, with or without a namespace prefix, in the
    // parent's namespace (any namespace when the parent has none).
    XmlNode childByName(const QString &name) const;
    // The attribute's value; nothing when it is absent, the empty text when it is empty.
    std::optional<QString> attribute(const QString &name) const;
    // The element's character data: empty without child nodes, the data of a single text or
    // CDATA child; anything else throws AppError "Element "name" does not contain a single
    // text node".
    QString text() const;

private:
    _xmlNode *node;
    QString absentName;
};

// An XML document loaded from a text, a file or a web address. It is parsed strictly: any
// well-formedness error, a namespace error such as an undeclared prefix included, fails the
// load with the parser's reason, the line and the start of the offending text. No entity from a
// document type definition is expanded and nothing outside the document is ever fetched. Blank text
// between elements is dropped.
class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument &) = delete;
    XmlDocument &operator=(const XmlDocument &) = delete;

    // Parses an already decoded text; an encoding named in its declaration plays no part.
    void loadFromText(const QString &text);
    // Parses bytes in the encoding their declaration names (UTF-8 when it names none).
    void loadFromBytes(const QByteArray &bytes);
    void loadFromFile(const QString &path);
    // Fetches the address with a plain GET, without a proxy, then parses the answer.
    void loadFromAddress(const QString &address, const TransferLimits &limits);

    // A loaded document is read only while active; deactivating drops it.
    bool isActive() const { return active; }
    void setActive(bool active);

    // The document element; throws AppError when the document is not active or has none.
    XmlNode documentElement() const;

private:
    void parse(const QByteArray &bytes, const char *encoding);

    struct FreeDocument {
        void operator()(_xmlDoc *document) const;
    };
    std::unique_ptr<_xmlDoc, FreeDocument> document;
    bool active = false;
};

} // namespace tervalo
