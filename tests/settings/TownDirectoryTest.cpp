// SPDX-License-Identifier: MIT
#include "platform/AppError.h"
#include "settings/DataFiles.h"
#include "settings/Settings.h"
#include "settings/TownChoice.h"
#include "support/Typing.h"
#include "support/WidgetHarness.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tervalo {
namespace {

// A settings dialog over a town directory written into a temporary data folder.
class TownDirectory : public ::testing::Test {
protected:
    void giveDirectory(const QByteArray &directory)
    {
        harness.platform.writeDataFile(TownDirectoryFileName, directory);
    }
    QStringList entries() const
    {
        QStringList list;
        for (int i = 0; i < dialog.CityNameComboBox->count(); ++i)
            list << dialog.CityNameComboBox->itemText(i);
        return list;
    }
    QLineEdit *townEdit() const { return dialog.CityNameComboBox->lineEdit(); }
    // The dialog on its weather page with the directory read and the town box focused, where
    // the user types.
    void focusTheTownBox()
    {
        dialog.GetCityID();
        dialog.PageControl->setCurrentWidget(dialog.TabSheet1);
        dialog.show();
        dialog.activateWindow();
        dialog.CityNameComboBox->setFocus();
        QApplication::processEvents();
    }

    test::WidgetHarness harness;
    TForm2 dialog{harness.context, *harness.form};
};

QByteArray utf8Directory(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + body;
}

// A directory of a hundred thousand towns in one group loads in well under the time a user
// would wait for the widget to start.
TEST_F(TownDirectory, AHundredThousandTownsLoadQuickly)
{
    constexpr int Towns = 100000;
    QByteArray directory = utf8Directory("<cities><country name=\"Россия\">");
    for (int i = 0; i < Towns; ++i)
        directory +=
            "<city id=\"" + QByteArray::number(i) + "\">Город " + QByteArray::number(i) + "</city>";
    directory += "</country></cities>";
    giveDirectory(directory);

    QElapsedTimer elapsed;
    elapsed.start();
    dialog.GetCityID();
    EXPECT_LT(elapsed.elapsed(), 3000);
    ASSERT_EQ(dialog.CityNameComboBox->count(), Towns);
    EXPECT_EQ(dialog.CityNameComboBox->itemText(Towns - 1),
              QStringLiteral("Город 99999, Россия - 99999"));
    EXPECT_TRUE(harness.platform.messages.empty());
}

// Entries come in file order, group after group, unsorted and with duplicates; what is not an
// element, at either level, is passed over.
TEST_F(TownDirectory, TwoGroupsGiveTheirTownsInFileOrder)
{
    giveDirectory(utf8Directory(R"(<cities>
  <!-- Russia first -->
  <country name="Россия">
    <city id="27612">Москва</city>
    <!-- the capital of the north -->
    <?sort none?>
    <city id="27196">Киров</city>
    stray words
    <city id="27196">Киров</city>
  </country>
  between the groups
  <?group next?>
  <country name="Беларусь">
    <city id="26850">Минск</city>
    <city id="33008">Брест</city>
    <city id="26666">Витебск</city>
  </country>
</cities>)"));

    dialog.GetCityID();

    EXPECT_EQ(entries(), QStringList({
                             QStringLiteral("Москва, Россия - 27612"),
                             QStringLiteral("Киров, Россия - 27196"),
                             QStringLiteral("Киров, Россия - 27196"),
                             QStringLiteral("Минск, Беларусь - 26850"),
                             QStringLiteral("Брест, Беларусь - 33008"),
                             QStringLiteral("Витебск, Беларусь - 26666"),
                         }));
    EXPECT_TRUE(harness.platform.messages.empty());
}

TEST_F(TownDirectory, AMissingAttributeLeavesItsPartOfTheEntryEmpty)
{
    giveDirectory(utf8Directory(R"(<cities>
  <country><city id="26850">Минск</city></country>
  <country name="Россия"><city>Киров</city><city id="">Пермь</city><city id="28225"/></country>
</cities>)"));

    dialog.GetCityID();

    EXPECT_EQ(entries(), QStringList({
                             QStringLiteral("Минск,  - 26850"),
                             QStringLiteral("Киров, Россия - "),
                             QStringLiteral("Пермь, Россия - "),
                             QStringLiteral(", Россия - 28225"),
                         }));
}

// A document element with nothing to read in it is told to the user; a group without towns is
// not.
TEST_F(TownDirectory, AnEmptyDirectoryIsToldToTheUser)
{
    const std::pair<const char *, bool> cases[] = {
        {"<cities/>", true},
        {"<cities> <!-- none yet --> <?later?> </cities>", true},
        {"<cities>no towns</cities>", true},
        {"<cities><country name=\"Россия\"/></cities>", false},
    };
    for (const auto &[body, told] : cases) {
        SCOPED_TRACE(body);
        test::WidgetHarness harness;
        harness.platform.writeDataFile(TownDirectoryFileName, utf8Directory(body));
        TForm2 dialog(harness.context, *harness.form);

        dialog.GetCityID();

        EXPECT_EQ(dialog.CityNameComboBox->count(), 0);
        if (!told) {
            EXPECT_TRUE(harness.platform.messages.empty());
            continue;
        }
        ASSERT_EQ(harness.platform.messages.size(), 1u);
        EXPECT_EQ(harness.platform.messages[0].text, QStringLiteral("Населенный пункт не найден."));
        EXPECT_EQ(harness.platform.messages[0].caption, QStringLiteral("Confirm"));
    }
}

// The caller reports a failed load (the start-up through the general error report); the box
// keeps what was read before the fault.
TEST_F(TownDirectory, AFaultGoesToTheCallerAndKeepsTheTownsReadBeforeIt)
{
    struct Case {
        const char *what;
        QByteArray directory;
        QStringList kept;
    };
    const Case cases[] = {
        {"missing file", QByteArray(), {}},
        {"not well-formed", utf8Directory("<cities><country name=\"Россия\"></cities>"), {}},
        {"a town that is not a text",
         utf8Directory("<cities><country name=\"Россия\"><city id=\"27612\">Москва</city>"
                       "<city id=\"1\"><name>Киров</name></city>"
                       "<city id=\"26063\">Санкт-Петербург</city></country></cities>"),
         {QStringLiteral("Москва, Россия - 27612")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        test::WidgetHarness harness;
        if (!c.directory.isNull())
            harness.platform.writeDataFile(TownDirectoryFileName, c.directory);
        TForm2 dialog(harness.context, *harness.form);

        EXPECT_THROW(dialog.GetCityID(), AppError);

        QStringList kept;
        for (int i = 0; i < dialog.CityNameComboBox->count(); ++i)
            kept << dialog.CityNameComboBox->itemText(i);
        EXPECT_EQ(kept, c.kept);
        EXPECT_TRUE(harness.platform.messages.empty());
        EXPECT_FALSE(dialog.XMLDocument1.isActive());
    }
}

// Typing completes to the first entry that begins with the typed text, in any case and
// script, and leaves the completed rest selected so that typing on replaces it.
TEST_F(TownDirectory, TypingCompletesToTheFirstMatchingEntry)
{
    giveDirectory(utf8Directory(R"(<cities>
  <country name="Россия">
    <city id="23955">Нижневартовск</city>
    <city id="27459">Нижний Новгород</city>
    <city id="27196">Киров</city>
  </country>
  <country name="USA"><city id="72503">New York</city></country>
</cities>)"));
    focusTheTownBox();
    struct Case {
        QString typed;
        QString shown;
        QString selected;
    };
    const Case cases[] = {
        {QStringLiteral("нижн"), QStringLiteral("Нижневартовск, Россия - 23955"),
         QStringLiteral("евартовск, Россия - 23955")},
        {QStringLiteral("НИЖНИ"), QStringLiteral("Нижний Новгород, Россия - 27459"),
         QStringLiteral("й Новгород, Россия - 27459")},
        {QStringLiteral("new y"), QStringLiteral("New York, USA - 72503"),
         QStringLiteral("ork, USA - 72503")},
        {QStringLiteral("пермь"), QStringLiteral("пермь"), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        townEdit()->clear();

        test::typeInto(townEdit(), c.typed);

        EXPECT_EQ(townEdit()->text(), c.shown);
        EXPECT_EQ(townEdit()->selectedText(), c.selected);
    }
    // The drop-down list still opens with every entry, is searched by typing, and puts the
    // chosen entry into the box whole.
    townEdit()->clear();
    test::typeInto(townEdit(), QStringLiteral("new"));
    dialog.CityNameComboBox->showPopup();
    QAbstractItemView *const list = dialog.CityNameComboBox->view();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->model()->rowCount(), 4);
    test::typeInto(list, QStringLiteral("к\r"));
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(townEdit()->text(), QStringLiteral("Киров, Россия - 27196"));
}

// Digits and most punctuation cannot be typed into the box; letters, the space, the hyphen and
// the apostrophe can, and pasting brings in anything. A key reaches either the combo box or
// its edit field.
TEST_F(TownDirectory, TypedDigitsAndPunctuationAreKeptOut)
{
    QWidget *const recipients[] = {townEdit(), dialog.CityNameComboBox};
    for (QWidget *recipient : recipients) {
        SCOPED_TRACE(recipient->metaObject()->className());
        townEdit()->clear();

        test::typeInto(recipient, QStringLiteral("Йошкар-Ола, 12.\r д'Арк!"));

        EXPECT_EQ(townEdit()->text(), QStringLiteral("Йошкар-Ола  д'Арк"));
        EXPECT_EQ(dialog.CityNameComboBox->count(), 0) << "Enter adds nothing to the list";

        // A key press may carry several characters, as from an input method.
        QKeyEvent several(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("3ё!"));
        QApplication::sendEvent(recipient, &several);
        EXPECT_EQ(townEdit()->text(), QStringLiteral("Йошкар-Ола  д'Аркё"));

        QApplication::clipboard()->setText(QStringLiteral(", Россия - 27612"));
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QApplication::sendEvent(recipient, &paste);
        EXPECT_EQ(townEdit()->text(), QStringLiteral("Йошкар-Ола  д'Аркё, Россия - 27612"));
    }
}

// Text an input method commits is filtered as the same characters typed one by one would be,
// completion included, whether the commit reaches the edit field or the combo box.
TEST_F(TownDirectory, CommittedTextIsFilteredAsTypedText)
{
    giveDirectory(utf8Directory(R"(<cities>
  <country name="Россия"><city id="27612">Москва</city></country>
</cities>)"));
    focusTheTownBox();
    struct Case {
        QString committed;
        QString shown;
        QString selected;
    };
    const Case cases[] = {
        {QStringLiteral("Мос1,5."), QStringLiteral("Москва, Россия - 27612"),
         QStringLiteral("ква, Россия - 27612")},
        {QStringLiteral("мос"), QStringLiteral("Москва, Россия - 27612"),
         QStringLiteral("ква, Россия - 27612")},
        {QStringLiteral("Йошкар-Ола, 12.\r д'Арк!"), QStringLiteral("Йошкар-Ола  д'Арк"),
         QString()},
        {QStringLiteral("27612"), QString(), QString()},
    };
    QWidget *const recipients[] = {townEdit(), dialog.CityNameComboBox};
    for (QWidget *recipient : recipients) {
        for (const Case &c : cases) {
            SCOPED_TRACE(QStringLiteral("%1 into %2")
                             .arg(c.committed, recipient->metaObject()->className())
                             .toStdString());
            townEdit()->clear();

            QInputMethodEvent commit;
            commit.setCommitString(c.committed);
            QApplication::sendEvent(recipient, &commit);

            EXPECT_EQ(townEdit()->text(), c.shown);
            EXPECT_EQ(townEdit()->selectedText(), c.selected);
            townEdit()->clear();
            test::typeInto(recipient, c.committed);
            EXPECT_EQ(townEdit()->text(), c.shown) << "typed one by one";
        }
    }
    EXPECT_EQ(dialog.CityNameComboBox->count(), 1) << "Enter adds nothing to the list";
}

// The characters the town box refuses, by code, as they are listed for the town choice.
bool listedAsSwallowed(char32_t code)
{
    const std::pair<char32_t, char32_t> swallowed[] = {
        {13, 13}, {33, 38}, {40, 44},   {46, 47},   {48, 57},
        {58, 64}, {91, 96}, {123, 126}, {185, 185},
    };
    for (const auto &[first, last] : swallowed)
        if (code >= first && code <= last)
            return true;
    return false;
}

TEST(TownBoxKeyFilter, SwallowsExactlyTheListedCharacters)
{
    for (char32_t code = 0; code < 0x400; ++code)
        EXPECT_EQ(townBoxSwallows(code), listedAsSwallowed(code)) << "code " << unsigned(code);
    for (char32_t code : {0x2116u, 0xff10u, 0xffffu, 0x1f600u})
        EXPECT_FALSE(townBoxSwallows(code)) << "code " << unsigned(code);
}

TEST(TownEntry, CuttingGivesTheIdentifierAndTheTownName)
{
    struct Case {
        QString boxText;
        QString cityId;
        QString cityName;
    };
    const Case cases[] = {
        {QStringLiteral("Москва, Россия - 27612"), QStringLiteral("27612"),
         QStringLiteral("Москва")},
        {QStringLiteral("Ростов-на-Дону, Россия - 34731"), QStringLiteral("34731"),
         QStringLiteral("Ростов-на-Дону")},
        {QStringLiteral("Березники, Пермский край, Россия - 28224"), QStringLiteral("28224"),
         QStringLiteral("Березники")},
        {QStringLiteral("Город, Край- Юг - 123"), QStringLiteral("Юг - 123"),
         QStringLiteral("Город")},
        {QStringLiteral("27612"), QStringLiteral("7612"), QString()},
        {QStringLiteral("Москва, Россия"), QStringLiteral("осква, Россия"),
         QStringLiteral("Москва")},
        {QStringLiteral("Москва, Россия - "), QString(), QStringLiteral("Москва")},
        {QString(), QString(), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.boxText.toStdString());
        const TownEntryParts parts = cutTownEntry(c.boxText);
        EXPECT_EQ(parts.cityId, c.cityId);
        EXPECT_EQ(parts.cityName, c.cityName);
    }
}

TEST(TownEntry, OnlyAsciiDigitsCount)
{
    const std::pair<QString, bool> cases[] = {
        {QString(), true},
        {QStringLiteral("Москва"), true},
        {QStringLiteral("Москва, Россия - 27612"), false},
        {QStringLiteral("27612"), false},
        {QStringLiteral("x9"), false},
        {QStringLiteral("٢٧٦١٢"), true}, // Arabic-Indic digits
        {QStringLiteral("２７"), true},  // full-width digits
        {QStringLiteral("Город¹ №5"), false},
        {QStringLiteral("Город¹ №"), true},
    };
    for (const auto &[text, noDigit] : cases)
        EXPECT_EQ(HasNoDigit(text), noDigit) << text.toStdString();
}

// Apply's cut takes the box text as it is, whether it came from the list or was pasted.
TEST_F(TownDirectory, CopyCityIDTakesTheBoxText)
{
    harness.shared.AppSettings.CityText = QStringLiteral("Москва, Россия - 27612");
    townEdit()->setText(QStringLiteral("Киров, Россия - 27196"));

    dialog.CopyCityID();

    EXPECT_EQ(harness.shared.AppSettings.CityText, QStringLiteral("Киров, Россия - 27196"));
    EXPECT_EQ(dialog.SelectedCityID, QStringLiteral("27196"));
    EXPECT_EQ(dialog.SelectedCityName, QStringLiteral("Киров"));
}

} // namespace
} // namespace tervalo
