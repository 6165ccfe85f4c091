// SPDX-License-Identifier: MIT
#pragma once

#include "platform/XmlDocument.h"
#include "shell/AppContext.h"

#include <QComboBox>
#include <QDialog>

class QKeyEvent;

namespace tervalo {

// The settings dialog, created hidden at start-up after the widget window.
class TForm2 : public QDialog {
public:
    explicit TForm2(AppContext &context);

    void FormCreate();
    void GetCityID();
    // Replaces a typed character the town box refuses by the null character.
    void CityNameComboBoxKeyPress(QChar &key);
    // Takes the town box text into AppSettings.CityText and cuts the town's identifier and
    // name out of it.
    void CopyCityID();
    void UACControl();

    QComboBox *CityNameComboBox;
    XmlDocument XMLDocument1;
    QString SelectedCityID;
    QString SelectedCityName;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readTownDirectory(QStringList &entries);
    bool takeTypedCharacters(const QKeyEvent &event);
    void typeIntoTownBox(QKeyEvent &event);
    void showCompletionAsListed();

    AppContext &context;
};

} // namespace tervalo
