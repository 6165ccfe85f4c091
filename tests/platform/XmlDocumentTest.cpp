// SPDX-License-Identifier: MIT
#include "platform/XmlDocument.h"
#include "platform/AppError.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"
#include "support/QtPrinting.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

QString loadErrorOf(const std::function<void(XmlDocument &)> &load)
{
    XmlDocument document;
    try {
        load(document);
    } catch (const AppError &error) {
        EXPECT_FALSE(document.isActive());
        return error.text();
    }
    return QStringLiteral("(loaded)");
}

XmlNode rootOf(XmlDocument &document, const QString &text)
{
    document.loadFromText(text);
    return document.documentElement();
}

TEST(XmlDocument, CountsEveryChildButBlankText)
{
    XmlDocument document;
    const XmlNode root =
        rootOf(document, QStringLiteral("<r>\n  <a/>\n  <!-- note -->\n  <?pi data?>\n"
                                        "  <![CDATA[ raw ]]>\n  text\n  <b>  </b>\n</r>"));
    ASSERT_EQ(root.childCount(), 6);
    EXPECT_EQ(root.child(0).name(), QStringLiteral("a"));
    EXPECT_FALSE(root.child(1).isElement()); // the comment
    EXPECT_FALSE(root.child(2).isElement()); // the processing instruction
    EXPECT_EQ(root.child(5).childCount(), 0) << "blank text inside an element is dropped too";
    EXPECT_EQ(root.child(5).text(), QString());

    // Walking from sibling to sibling meets the same children as the index.
    QStringList walked, indexed;
    for (std::optional<XmlNode> child = root.firstChild(); child; child = child->nextSibling())
        walked << child->name();
    for (int i = 0; i < root.childCount(); ++i)
        indexed << root.child(i).name();
    EXPECT_EQ(walked, indexed);
    EXPECT_FALSE(root.child(5).firstChild());
    EXPECT_FALSE(root.childByName(QStringLiteral("missing")).firstChild());
    try {
        root.child(6);
        FAIL() << "an index beyond the last child is an error";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.text().contains(QLatin1String("6")));
    }
}

TEST(XmlDocument, TextOfAnElementFollowsTheSingleTextNodeRule)
{
    XmlDocument document;
    const XmlNode root = rootOf(
        document, QStringLiteral("<r><empty/><plain> -3 </plain><cdata><![CDATA[a<b]]></cdata>"
                                 "<nested><x/></nested><comment><!-- c --></comment>"
                                 "<mixed>a<![CDATA[b]]></mixed><amp>a &amp; b</amp></r>"));
    struct Case {
        const char *element;
        std::optional<QString> text; // nothing: the error
    };
    const Case cases[] = {
        {"empty", QString()},
        {"plain", QStringLiteral(" -3 ")},
        {"cdata", QStringLiteral("a<b")},
        {"amp", QStringLiteral("a & b")},
        {"nested", std::nullopt},
        {"comment", std::nullopt},
        {"mixed", std::nullopt},
        {"missing", QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.element);
        const XmlNode element = root.childByName(QLatin1String(c.element));
        if (c.text) {
            EXPECT_EQ(element.text(), *c.text);
            continue;
        }
        try {
            element.text();
            ADD_FAILURE() << "expected the single-text-node error";
        } catch (const AppError &error) {
            EXPECT_EQ(error.text(),
                      QStringLiteral("Element \"%1\" does not contain a single text node")
                          .arg(QLatin1String(c.element)));
        }
    }
}

TEST(XmlDocument, FindsChildrenByNameInTheParentsNamespace)
{
    XmlDocument document;
    const XmlNode root =
        rootOf(document,
               QStringLiteral(
                   "<f:forecast xmlns:f='urn:f' xmlns:o='urn:other'>"
                   "<o:fact>other</o:fact><f:fact>mine</f:fact><fact xmlns='urn:f'>default</fact>"
                   "<plain xmlns=''/></f:forecast>"));
    EXPECT_EQ(root.childByName(QStringLiteral("fact")).text(), QStringLiteral("mine"));
    EXPECT_EQ(root.childByName(QStringLiteral("f:fact")).text(), QStringLiteral("mine"));
    EXPECT_EQ(root.childByName(QStringLiteral("o:fact")).text(), QString()) << "another namespace";
    EXPECT_TRUE(root.childByName(QStringLiteral("plain")).isAbsent()) << "no namespace";

    // A parent without a namespace finds its children in any namespace.
    XmlDocument plain;
    const XmlNode plainRoot =
        rootOf(plain, QStringLiteral("<r xmlns:o='urn:other'><o:fact>any</o:fact></r>"));
    EXPECT_EQ(plainRoot.childByName(QStringLiteral("fact")).text(), QStringLiteral("any"));
    EXPECT_EQ(plainRoot.childByName(QStringLiteral("o:fact")).text(), QStringLiteral("any"));

    // A missing child reads as an empty element, all the way down, and changes nothing.
    const XmlNode missing = root.childByName(QStringLiteral("nothing"));
    EXPECT_TRUE(missing.isAbsent());
    EXPECT_EQ(missing.name(), QStringLiteral("nothing"));
    EXPECT_EQ(missing.childByName(QStringLiteral("deeper")).text(), QString());
    EXPECT_EQ(root.childCount(), 4);
}

TEST(XmlDocument, TellsAnAbsentAttributeFromAnEmptyOne)
{
    XmlDocument document;
    const XmlNode root = rootOf(document, QStringLiteral("<r type='' name='Россия'/>"));
    EXPECT_EQ(root.attribute(QStringLiteral("type")), QString());
    EXPECT_EQ(root.attribute(QStringLiteral("name")), QStringLiteral("Россия"));
    EXPECT_EQ(root.attribute(QStringLiteral("id")), std::nullopt);
}

TEST(XmlDocument, LoadErrorsGiveTheReasonTheLineAndTheOffendingText)
{
    struct Case {
        const char *text;
        const char *reason, *line, *offending;
    };
    const Case cases[] = {
        {"<forecast>\n  <fact>\n  </wrong>\n</forecast>", "mismatch", "line 3", "</wrong>"},
        // Not namespace-well-formed: read on, <w:fact> would pass for a missing "fact".
        {"<forecast>\n  <w:fact>-2</w:fact>\n</forecast>", "Namespace prefix w on fact", "line 2",
         "<w:fact>"},
        {"<forecast>\n\n  <day w:type='day'/>\n</forecast>", "Namespace prefix w for type",
         "line 3", "<day w:type='day'/>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const QString error = loadErrorOf(
            [&](XmlDocument &document) { document.loadFromText(QString::fromUtf8(c.text)); });
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.line))) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.offending))) << error.toStdString();
    }

    for (const QString &text : {QString(), QStringLiteral("   "), QStringLiteral("<a>"),
                                QStringLiteral("<html><br></html>"), QStringLiteral("<a/><b/>")}) {
        XmlDocument document;
        EXPECT_THROW(document.loadFromText(text), AppError) << text.toStdString();
    }
    // An element with attributes in their hundred thousands would keep the parser busy for
    // minutes; a few hundred are still read.
    const auto elementWithAttributes = [](int count) {
        QString text = QStringLiteral("<forecast");
        for (int i = 0; i < count; ++i)
            text += QStringLiteral(" a%1='x=%1'").arg(i);
        return text + QStringLiteral("/>");
    };
    QElapsedTimer elapsed;
    elapsed.start();
    const QString crowded = loadErrorOf(
        [&](XmlDocument &document) { document.loadFromText(elementWithAttributes(300000)); });
    EXPECT_LT(elapsed.elapsed(), 3000);
    EXPECT_TRUE(crowded.contains(QLatin1String("more than 1000 attributes")))
        << crowded.toStdString();
    XmlDocument plenty;
    EXPECT_NO_THROW(plenty.loadFromText(elementWithAttributes(300)));

    const QString missing = loadErrorOf([](XmlDocument &document) {
        document.loadFromFile(QStringLiteral("/no/such/cities.xml"));
    });
    EXPECT_TRUE(missing.contains(QLatin1String("/no/such/cities.xml"))) << missing.toStdString();
}

TEST(XmlDocument, DecodesBytesByTheirDeclaration)
{
    const std::pair<const char *, QByteArray> cases[] = {
        {"windows-1251",
         "<?xml version='1.0' encoding='windows-1251'?><r>\xCC\xEE\xF1\xEA\xE2\xE0</r>"},
        {"koi8-r", "<?xml version='1.0' encoding='koi8-r'?><r>\xED\xCF\xD3\xCB\xD7\xC1</r>"},
        {"utf-8 by default", "<r>\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0</r>"},
    };
    for (const auto &[what, bytes] : cases) {
        XmlDocument document;
        document.loadFromBytes(bytes);
        EXPECT_EQ(document.documentElement().text(), QStringLiteral("Москва")) << what;
    }
    // A decoded text keeps its characters whatever its declaration says.
    XmlDocument decoded;
    decoded.loadFromText(
        QStringLiteral("<?xml version='1.0' encoding='windows-1251'?><r>Москва</r>"));
    EXPECT_EQ(decoded.documentElement().text(), QStringLiteral("Москва"));
}

TEST(XmlDocument, NeitherExpandsEntitiesNorFetchesAnything)
{
    test::LoopbackForecastService service;
    ASSERT_TRUE(service.isRunning());
    QTemporaryDir folder;
    const QString secret = folder.filePath(QStringLiteral("secret.txt"));
    test::writeFileBytes(secret, "top secret");
    const QString documents[] = {
        QStringLiteral("<!DOCTYPE r [<!ENTITY x SYSTEM 'file://%1'>]><r>&x;</r>").arg(secret),
        QStringLiteral("<!DOCTYPE r SYSTEM '%1/weather-ng/forecasts/27612.xml'><r>&x;</r>")
            .arg(service.root()),
        QStringLiteral("<!DOCTYPE r [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;'>"
                       "<!ENTITY c '&b;&b;&b;&b;&b;&b;&b;&b;'>]><r>&c;</r>"),
    };
    for (const QString &text : documents) {
        XmlDocument document;
        try {
            document.loadFromText(text);
            const QString read = document.documentElement().text();
            ADD_FAILURE() << "an entity reference read as text: " << read.toStdString();
        } catch (const AppError &error) {
            EXPECT_FALSE(error.text().contains(QLatin1String("top secret")));
        }
    }
    EXPECT_TRUE(service.requests().empty()) << "the document reached out to the network";
}

TEST(XmlDocument, LoadsFromAFileAndFromAnAddressAndDeactivates)
{
    test::LoopbackForecastService service;
    ASSERT_TRUE(service.isRunning());
    XmlDocument document;
    document.loadFromAddress(service.root() + QStringLiteral("/weather-ng/forecasts/27612.xml"),
                             {});
    EXPECT_TRUE(document.isActive());
    EXPECT_EQ(document.documentElement()
                  .childByName(QStringLiteral("fact"))
                  .childByName(QStringLiteral("temperature"))
                  .text(),
              QStringLiteral("-2"));
    document.setActive(false);
    EXPECT_THROW(document.documentElement(), AppError);

    document.loadFromFile(QStringLiteral(TERVALO_SOURCE_DIR "/data/cities.xml"));
    EXPECT_GE(document.documentElement().childCount(), 10);
    EXPECT_THROW(document.loadFromAddress(
                     service.root() + QStringLiteral("/weather-ng/forecasts/nowhere.xml"), {}),
                 AppError);
}

} // namespace
} // namespace tervalo
