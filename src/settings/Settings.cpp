// SPDX-License-Identifier: MIT
#include "settings/Settings.h"

#include "settings/DataFiles.h"

namespace tervalo {

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
// directory's order. A load error leaves the box empty and goes to the caller.
void TForm2::GetCityID()
{
    XMLDocument1.loadFromFile(context.shared.DataFolder + TownDirectoryFileName);
    XMLDocument1.setActive(true);
    const XmlNode root = XMLDocument1.documentElement();
    if (root.childCount() == 0) {
        context.platform.showMessage({QStringLiteral("Населенный пункт не найден."),
                                      QStringLiteral("Confirm"), MessageIcon::Question});
    }
    // Sibling by sibling, and into the box at once: a directory may hold many thousand towns.
    QStringList entries;
    for (std::optional<XmlNode> group = root.firstChild(); group; group = group->nextSibling()) {
        const QString groupName = group->attribute(QStringLiteral("name")).value_or(QString());
        for (std::optional<XmlNode> town = group->firstChild(); town; town = town->nextSibling()) {
            const QString id = town->attribute(QStringLiteral("id")).value_or(QString());
            entries << town->text() + QStringLiteral(", ") + groupName + QStringLiteral(" - ") + id;
        }
    }
    CityNameComboBox->addItems(entries);
    XMLDocument1.setActive(false);
}

} // namespace tervalo
