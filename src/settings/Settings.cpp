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

// Fills the town box from the town directory.
void TForm2::GetCityID()
{
    const QString path = context.shared.DataFolder + TownDirectoryFileName;
    if (!context.platform.files().read(path))
        throw AppError(QStringLiteral("The town directory \"%1\" cannot be opened").arg(path));
}

} // namespace tervalo
