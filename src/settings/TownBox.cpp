// SPDX-License-Identifier: MIT
// The town box: filled from the town directory, completing typed names, refusing digits.
#include "settings/Settings.h"

#include "settings/DataFiles.h"
#include "settings/TownChoice.h"

#include <QCompleter>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace tervalo {

namespace {

// The directory is read by its elements only: comments, processing instructions and text
// between them play no part.
std::optional<XmlNode> elementFrom(std::optional<XmlNode> node)
{
    while (node && !node->isElement())
        node = node->nextSibling();
    return node;
}

std::optional<XmlNode> firstElement(const XmlNode &parent)
{
    return elementFrom(parent.firstChild());
}

std::optional<XmlNode> nextElement(const XmlNode &node)
{
    return elementFrom(node.nextSibling());
}

} // namespace

// Fills the town box from the town directory: one entry "town, group - id" per town, in the
// directory's order. A load error leaves the box empty and goes to the caller; an error while
// reading keeps the entries read before it.
void TForm2::GetCityID()
{
    XMLDocument1.loadFromFile(context.shared.DataFolder + TownDirectoryFileName);
    XMLDocument1.setActive(true);
    // Into the box at once: a directory may hold many thousand towns.
    QStringList entries;
    try {
        readTownDirectory(entries);
    } catch (...) {
        CityNameComboBox->addItems(entries);
        XMLDocument1.setActive(false);
        throw;
    }
    CityNameComboBox->addItems(entries);
    XMLDocument1.setActive(false);
}

void TForm2::readTownDirectory(QStringList &entries)
{
    const XmlNode root = XMLDocument1.documentElement();
    if (!firstElement(root)) {
        context.platform.showMessage({QStringLiteral("Населенный пункт не найден."),
                                      QStringLiteral("Confirm"), MessageIcon::Question});
        return;
    }
    // Sibling by sibling: indexed access would cost a walk per town.
    for (std::optional<XmlNode> group = firstElement(root); group; group = nextElement(*group)) {
        const QString groupName = group->attribute(QStringLiteral("name")).value_or(QString());
        for (std::optional<XmlNode> town = firstElement(*group); town; town = nextElement(*town)) {
            const QString id = town->attribute(QStringLiteral("id")).value_or(QString());
            entries << townEntry(town->text(), groupName, id);
        }
    }
}

void TForm2::CityNameComboBoxKeyPress(QChar &key)
{
    if (townBoxSwallows(key.unicode()))
        key = QChar();
}

void TForm2::CopyCityID()
{
    const QString boxText = CityNameComboBox->currentText();
    context.shared.AppSettings.CityText = boxText;
    const TownEntryParts parts = cutTownEntry(boxText);
    SelectedCityID = parts.cityId;
    SelectedCityName = parts.cityName;
}

QString TForm2::keptCharacters(const QString &typed)
{
    QString kept;
    for (QChar key : typed) {
        CityNameComboBoxKeyPress(key);
        if (!key.isNull())
            kept += key;
    }
    return kept;
}

// Only typed characters are filtered: pasted text and completion never come as key presses.
// Returns true when the key press is taken away from the box's own handling.
bool TForm2::takeTypedCharacters(const QKeyEvent &event)
{
    const QString typed = event.text();
    const QString kept = keptCharacters(typed);
    const bool printable = !kept.isEmpty() && std::all_of(kept.begin(), kept.end(),
                                                          [](QChar c) { return c.isPrint(); });
    // Editing keys and shortcuts (Backspace, Ctrl+V, the arrows) are the box's own.
    if (kept == typed && !printable)
        return false;
    // A key press may carry several characters; the box gets the ones that pass.
    if (!kept.isEmpty()) {
        QKeyEvent passing(event.type(), event.key(), event.modifiers(), kept, event.isAutoRepeat());
        typeIntoTownBox(passing);
    }
    return true;
}

// An input method's commit is typing too, of several characters at once: it is filtered and
// completed as those characters typed one by one would be. The text still being composed is
// the input method's own.
bool TForm2::takeCommittedText(const QInputMethodEvent &event)
{
    if (event.commitString().isEmpty())
        return false;
    QInputMethodEvent passing(event.preeditString(), event.attributes());
    passing.setCommitString(keptCharacters(event.commitString()), event.replacementStart(),
                            event.replacementLength());
    // Straight to the edit field's handler, as a filtered key press is.
    CityNameComboBox->lineEdit()->event(&passing);
    showCompletionAsListed();
    return true;
}

void TForm2::typeIntoTownBox(QKeyEvent &event)
{
    // Straight to the edit field's handler: sent as an event it would come through the filter
    // again.
    QObject *const edit = CityNameComboBox->lineEdit();
    edit->event(&event);
    showCompletionAsListed();
}

// The edit field completes with the typed text in the user's case and the rest of the entry
// after it; the box shows the entry as the list has it, the same rest selected.
void TForm2::showCompletionAsListed()
{
    QLineEdit *const edit = CityNameComboBox->lineEdit();
    const QString entry = edit->completer()->currentCompletion();
    const QString shown = edit->text();
    const bool completed = edit->hasSelectedText() && edit->selectionEnd() == shown.size();
    if (!completed || shown == entry || shown.compare(entry, Qt::CaseInsensitive) != 0)
        return;
    const qsizetype typedLength = edit->selectionStart();
    edit->setText(entry);
    edit->setSelection(int(entry.size()), int(typedLength - entry.size()));
}

} // namespace tervalo
