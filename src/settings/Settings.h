// SPDX-License-Identifier: MIT
#pragma once

#include "platform/XmlDocument.h"
#include "shell/AppContext.h"

#include <QComboBox>
#include <QDialog>

namespace tervalo {

// The settings dialog, created hidden at start-up after the widget window.
class TForm2 : public QDialog {
public:
    explicit TForm2(AppContext &context);

    void FormCreate();
    void GetCityID();
    // Takes the town box text into AppSettings.CityText and cuts the town's identifier and
    // name out of it.
    void CopyCityID();

    QComboBox *CityNameComboBox;
    XmlDocument XMLDocument1;
    QString SelectedCityID;
    QString SelectedCityName;

private:
    void readTownDirectory(QStringList &entries);

    AppContext &context;
};

} // namespace tervalo
