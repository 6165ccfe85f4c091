// SPDX-License-Identifier: MIT
#pragma once

#include "platform/XmlDocument.h"
#include "shell/AppContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include <optional>

class QCompleter;
class QInputMethodEvent;
class QKeyEvent;
class QModelIndex;
class QMouseEvent;
class QStringListModel;

namespace tervalo {

class LinkLabel;
struct SearchOutcome;
class TForm1;
class TownSearch;
class TImage;
class TLabel;

// The settings dialog, created hidden at start-up after the widget window. It edits only its
// own controls; nothing reaches the settings until Apply, which saves them and ends the
// program so that a new instance starts from them.
class TForm2 : public QDialog {
public:
    static constexpr int ClientWidth = 399;
    static constexpr int ClientHeight = 285;

    TForm2(AppContext &context, TForm1 &widget);
    ~TForm2() override;

    void FormCreate();

    // Town directory and town choice.
    void GetCityID();
    // Replaces a typed character the town box refuses by the null character.
    void CityNameComboBoxKeyPress(QChar &key);
    // Takes the town box text into AppSettings.CityText and cuts the town's identifier and
    // name out of it.
    void CopyCityID();

    // The restart that lets the saved settings take effect.
    void UACControl();

    // Fills the controls from the settings and the last forecast, and shows the dialog.
    void MenuSetttingsClick();
    void ApplyButtonClick();
    void CancelButtonClick();

    // The controls' handlers.
    void stylePanelChange();
    void UpdateIntervalChange();
    void SizeForSkinChange();
    void UseProxyClick();
    void PublicProxyClick();
    void Label6Click();
    void ColorBox1Change();
    void webClick();
    void WebSiteClick();
    void downloadLBClick();
    void ForecastSourceBoxChange();
    void FormMouseDown(const QMouseEvent &event);

    // Controls, under their design names, page by page.
    QTabWidget *PageControl;
    QWidget *TabSheet4; // "Общее"
    QWidget *TabSheet1; // "Погода"
    QWidget *TabSheet5; // "Стиль"
    QWidget *TabSheet3; // "Сеть"
    QWidget *TabSheet2; // "О программе"
    QPushButton *ApplyButton;
    QPushButton *CancelButton;

    TLabel *Label2;
    QComboBox *DateFormatComboBox;
    QCheckBox *IconStatusSet;
    QCheckBox *AutoRun;
    QCheckBox *AutoUpdate;
    TLabel *NewVerInf;
    LinkLabel *downloadLB;

    TLabel *OtherText1;
    QComboBox *CityNameComboBox;
    TLabel *UpdateMinutes;
    QSlider *UpdateInterval;
    TLabel *UpdateDataLabel;
    TLabel *OtherText2;
    TLabel *LastUpdate;
    QCheckBox *FlickTempCheck;
    TLabel *ForecastSourceLabel;
    QComboBox *ForecastSourceBox; // which service the forecast comes from
    TLabel *PlaceSearchLine;      // why a search of places worldwide listed none

    TImage *ImageClockandWeather;
    TLabel *Title;
    TLabel *Label1;
    QComboBox *stylePanel;
    QComboBox *styleMode;
    TLabel *Label7;
    TLabel *Label8;
    QComboBox *ColorBox1;
    QSlider *SizeForSkin;

    QCheckBox *UseProxy;
    TLabel *Label3;
    QLineEdit *ProxyHost;
    TLabel *Label4;
    QLineEdit *ProxyPort;
    QCheckBox *PublicProxy;
    TLabel *Label5;
    QLineEdit *ProxyUsername;
    LinkLabel *Label6;
    QLineEdit *ProxyPassword;

    TLabel *NameProg;
    TLabel *Name;
    LinkLabel *WebSite;
    TLabel *Name2;
    LinkLabel *web;
    TLabel *PlacesCredit; // the place search's data, beside Open-Meteo's
    TLabel *Ver;
    TLabel *MakerLine;

    XmlDocument XMLDocument1;
    QString SelectedCityID;
    QString SelectedCityName;
    int SelectedColor = 0; // the colour last picked in ColorBox1, taken over by Apply

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Escape and the window manager's close button do what Cancel does.
    void reject() override;

private:
    // Building the pages.
    void createButtons();
    void createGeneralPage();
    void createWeatherPage();
    void createStylePage();
    void createNetworkPage();
    void createAboutPage();
    void connectHandlers();
    QWidget *addPage(const char *name, const QString &caption);
    TLabel *addLabel(QWidget *page, const char *name, const QString &text, QRect geometry);
    LinkLabel *addLink(QWidget *page, const char *name, const QString &text, QRect geometry);
    QCheckBox *addCheckBox(QWidget *page, const char *name, const QString &text, QRect geometry);
    QComboBox *addList(QWidget *page, const char *name, const QStringList &items, QRect geometry);
    QLineEdit *addEdit(QWidget *page, const char *name, const QString &text, QRect geometry);
    QSlider *addSlider(QWidget *page, const char *name, int minimum, int maximum, QRect geometry);
    void dragBy(QWidget *control);

    // Populate and Apply, step by step.
    QPoint centredOver(const QWidget &window) const;
    void showForecastFacts();
    void showVersionState();
    void showProxySettings();
    void showForecastSource();
    void showLook();
    void showPreview(int skin, int content);
    void enableSizeAndColour(bool minimalistic);
    void takeProxySettings();
    void takeChosenPlace(const QString &storedCityText);
    void takeOtherSettings();

    // Town directory.
    void readTownDirectory(QStringList &entries);
    QString keptCharacters(const QString &typed);
    bool takeTypedCharacters(const QKeyEvent &event);
    bool takeCommittedText(const QInputMethodEvent &event);
    bool takeListKey(const QKeyEvent &event);
    void typeIntoTownBox(QKeyEvent &event);
    void showCompletionAsListed();

    // Places worldwide.
    void createPlaceList();
    void pickListedEntry(const QModelIndex &entry);
    bool searchesPlaces() const;
    QString typedTownName() const;
    void townTextEdited();
    bool searchOnEnter();
    void showSearchOutcome(const SearchOutcome &outcome);
    QStringList directoryMatches(const QString &name) const;

    AppContext &context;
    TForm1 &widget;
    bool placedOnce = false;
    TownSearch *townSearch = nullptr;
    // The list under the town box of the directory's matches and the places found.
    QCompleter *placeList = nullptr;
    QStringListModel *placeEntries = nullptr;
    // Where the mouse grabbed the dialog, relative to its top-left corner, while dragging by
    // hand (where the window manager cannot move it).
    std::optional<QPoint> dragOffset;
};

} // namespace tervalo
