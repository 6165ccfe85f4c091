// SPDX-License-Identifier: MIT
#include "settings/Settings.h"

#include "settings/DataFiles.h"
#include "settings/TownChoice.h"

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

TForm2::TForm2(AppContext &context)
    : context(context)
{
    setObjectName(QStringLiteral("Form2"));
    CityNameComboBox = new QComboBox(this);
    CityNameComboBox->setObjectName(QStringLiteral("CityNameComboBox"));
    CityNameComboBox->setEditable(true);
}

void TForm2::FormCreate()
{
    GetCityID();
}

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

void TForm2::CopyCityID()
{
    const QString boxText = CityNameComboBox->currentText();
    context.shared.AppSettings.CityText = boxText;
    const TownEntryParts parts = cutTownEntry(boxText);
    SelectedCityID = parts.cityId;
    SelectedCityName = parts.cityName;
}

} // namespace tervalo
