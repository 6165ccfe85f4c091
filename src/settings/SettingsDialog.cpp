// SPDX-License-Identifier: MIT
// What the settings dialog does: filled from the settings when it is shown, its controls'
// handlers, Cancel, and Apply, which takes the values over, saves them and restarts the
// program.
#include "forecast/ForecastService.h"
#include "settings/DialogTexts.h"
#include "settings/LinkLabel.h"
#include "settings/NamedColours.h"
#include "settings/Settings.h"
#include "settings/TownChoice.h"
#include "settings/TownSearch.h"
#include "shell/Main.h"

#include <QScreen>

#include <algorithm>

namespace tervalo {

namespace {

const QString NewVersionText = QStringLiteral("Появилась новая версия приложения:");

} // namespace

void TForm2::connectHandlers()
{
    // Each handler runs under the general error report, as every entry from the event loop.
    const auto on = [this](auto *sender, auto signal, void (TForm2::*handler)()) {
        connect(sender, signal, this,
                context.errors.guarded([this, handler] { (this->*handler)(); }));
    };
    on(ApplyButton, &QPushButton::clicked, &TForm2::ApplyButtonClick);
    on(CancelButton, &QPushButton::clicked, &TForm2::CancelButtonClick);
    // A list's handler runs when the user picks, never when the program selects.
    on(stylePanel, &QComboBox::activated, &TForm2::stylePanelChange);
    on(styleMode, &QComboBox::activated, &TForm2::stylePanelChange);
    on(ColorBox1, &QComboBox::activated, &TForm2::ColorBox1Change);
    // A slider's and a check box's handler run whenever the value changes, set by the user or
    // by the program, and only then.
    on(UpdateInterval, &QSlider::valueChanged, &TForm2::UpdateIntervalChange);
    on(SizeForSkin, &QSlider::valueChanged, &TForm2::SizeForSkinChange);
    on(UseProxy, &QCheckBox::toggled, &TForm2::UseProxyClick);
    on(PublicProxy, &QCheckBox::toggled, &TForm2::PublicProxyClick);
    const auto link = [this](LinkLabel *label, void (TForm2::*handler)()) {
        label->setHandler(context.errors.guarded([this, handler] { (this->*handler)(); }));
    };
    on(ForecastSourceBox, &QComboBox::activated, &TForm2::ForecastSourceBoxChange);
    link(Label6, &TForm2::Label6Click);
    link(web, &TForm2::webClick);
    link(WebSite, &TForm2::WebSiteClick);
    link(downloadLB, &TForm2::downloadLBClick);
}

void TForm2::MenuSetttingsClick()
{
    const TAppSettings &settings = context.shared.AppSettings;
    FlickTempCheck->setChecked(settings.TempLabel);
    CityNameComboBox->setEditText(settings.CityText);
    UpdateInterval->setValue(settings.UpdateInterval);
    showForecastFacts();
    AutoRun->setChecked(settings.AutoRun);
    styleMode->setCurrentIndex(settings.ClockMode ? 0 : 1);
    showVersionState();
    DateFormatComboBox->setCurrentIndex(settings.DateFormat);
    IconStatusSet->setChecked(settings.IconStatus);
    stylePanel->setCurrentIndex(settings.PanelsMode);
    showPreview(settings.PanelsMode, settings.ClockMode ? 0 : 1);
    showProxySettings();
    showForecastSource();
    townSearch->cancel();
    townSearch->forgetAnswers();
    PlaceSearchLine->clear();
    ColorBox1->setCurrentIndex(namedColourIndex(settings.FontColorForSkin));
    SelectedColor = settings.FontColorForSkin;
    SizeForSkin->setValue(settings.SizeFontForSkin);
    enableSizeAndColour(settings.PanelsMode == 2);
    if (!placedOnce) {
        placedOnce = true;
        move(centredOver(widget));
    }
    show();
    raise();
    activateWindow();
}

// Centred over the widget, yet whole on its screen: a widget near an edge would otherwise
// push the pages' tabs or the buttons off the screen.
QPoint TForm2::centredOver(const QWidget &window) const
{
    QRect place(QPoint(0, 0), frameGeometry().size());
    place.moveCenter(window.frameGeometry().center());
    const QRect screen = window.screen()->availableGeometry();
    place.moveLeft(std::clamp(place.left(), screen.left(), screen.right() - place.width() + 1));
    place.moveTop(std::clamp(place.top(), screen.top(), screen.bottom() - place.height() + 1));
    return place.topLeft();
}

void TForm2::showForecastFacts()
{
    LastUpdate->setText(context.shared.LastUpdateTime);
    UpdateDataLabel->setText(
        receivedText(context.shared.StationName, context.shared.ObservationTime));
}

// Once a newer version is known the notice stays for the rest of the run.
void TForm2::showVersionState()
{
    const bool checks = context.shared.AppSettings.AutoCheckVer;
    AutoUpdate->setChecked(checks);
    if (checks && context.shared.LatestVersion != CurrentVersion) {
        NewVerInf->setText(NewVersionText);
        downloadLB->show();
    }
}

void TForm2::showProxySettings()
{
    const TAppSettings &settings = context.shared.AppSettings;
    UseProxy->setChecked(settings.ProxyUse);
    PublicProxy->setChecked(settings.ProxyPublic);
    ProxyHost->setText(settings.ProxyHost);
    ProxyPort->setText(QString::number(settings.ProxyPort));
    ProxyUsername->setText(settings.ProxyUser);
    ProxyPassword->setText(settings.ProxyPass);
    for (QWidget *control : std::initializer_list<QWidget *>{ProxyHost, ProxyPort, PublicProxy})
        control->setEnabled(settings.ProxyUse);
    for (QWidget *control : std::initializer_list<QWidget *>{ProxyUsername, ProxyPassword})
        control->setEnabled(settings.ProxyUse && settings.ProxyPublic);
}

// Outside the known skins and contents the preview is empty.
void TForm2::showPreview(int skin, int content)
{
    ImageClockandWeather->setPicture(previewPictureName(skin, content));
}

// Colour and size apply to the minimalistic skin alone, whose small preview sits lower.
void TForm2::enableSizeAndColour(bool minimalistic)
{
    for (QWidget *control :
         std::initializer_list<QWidget *>{Label7, Label8, ColorBox1, SizeForSkin})
        control->setEnabled(minimalistic);
    ImageClockandWeather->move(ImageClockandWeather->x(), minimalistic ? 40 : 10);
}

void TForm2::stylePanelChange()
{
    showPreview(stylePanel->currentIndex(), styleMode->currentIndex());
    enableSizeAndColour(stylePanel->currentIndex() == 2);
}

void TForm2::UpdateIntervalChange()
{
    UpdateMinutes->setText(updateIntervalText(UpdateInterval->value()));
}

void TForm2::SizeForSkinChange()
{
    Label8->setText(skinSizeText(SizeForSkin->value()));
}

void TForm2::UseProxyClick()
{
    for (QWidget *control : std::initializer_list<QWidget *>{ProxyHost, ProxyPort, PublicProxy})
        control->setEnabled(UseProxy->isChecked());
    PublicProxyClick();
}

void TForm2::PublicProxyClick()
{
    const bool credentials = PublicProxy->isChecked() && UseProxy->isChecked();
    ProxyPassword->setEnabled(credentials);
    ProxyUsername->setEnabled(credentials);
}

// The password shows as it is typed until Cancel masks it again.
void TForm2::Label6Click()
{
    ProxyPassword->setEchoMode(QLineEdit::Normal);
}

void TForm2::ColorBox1Change()
{
    SelectedColor = ColorBox1->currentData().toInt();
}

void TForm2::webClick()
{
    context.platform.openAddress(context.service.siteOf(context.shared.AppSettings.ForecastSource));
}

void TForm2::WebSiteClick()
{
    context.platform.openAddress(context.service.programSite);
}

void TForm2::downloadLBClick()
{
    context.platform.openAddress(context.service.programSite);
}

// The edits stay in the controls until the next showing fills them again.
void TForm2::CancelButtonClick()
{
    ProxyPassword->setEchoMode(QLineEdit::Password);
    hide();
}

// Takes the dialog's values over, checks the new town with an update, saves, and ends this
// instance; the instance started on the way reads the saved file once this one has ended.
// A town typed without its identifier stops at once, a port that is no number stops with
// the town already taken over, and a failed update puts the town and the version check back.
// The update checks the version only when the dialog says so, or a version document that
// cannot be read would refuse every Apply, even the one that turns the check off. Without a
// connection the update falls back to the clock, which reads the stored town and proxy back, so
// only the other settings change.
void TForm2::ApplyButtonClick()
{
    if (HasNoDigit(CityNameComboBox->currentText())) {
        context.platform.showMessage({QStringLiteral("Ошибки при получении прогноза"),
                                      QStringLiteral("Confirm"), MessageIcon::Question});
        return;
    }
    TAppSettings &settings = context.shared.AppSettings;
    const QString previousCityId = settings.CityID;
    const QString previousCaption = widget.CityNameLabel->text();
    const QString previousCityText = settings.CityText;
    const int previousSource = settings.ForecastSource;
    const bool previousVersionCheck = settings.AutoCheckVer;
    const QString previousLatitude = settings.PlaceLatitude;
    const QString previousLongitude = settings.PlaceLongitude;
    CopyCityID();
    takeChosenPlace(previousCityText);
    settings.CityID = SelectedCityID;
    widget.CityNameLabel->setText(SelectedCityName);
    // The town is checked against the source it will be fetched from.
    settings.ForecastSource = ForecastSourceBox->currentIndex();
    takeProxySettings();
    settings.AutoCheckVer = AutoUpdate->isChecked();
    const auto putBack = [&] {
        settings.CityID = previousCityId;
        widget.CityNameLabel->setText(previousCaption);
        settings.CityText = previousCityText;
        settings.ForecastSource = previousSource;
        settings.AutoCheckVer = previousVersionCheck;
        settings.PlaceLatitude = previousLatitude;
        settings.PlaceLongitude = previousLongitude;
    };
    try {
        widget.WeatherUpdate();
    } catch (const ProgramEnding &) {
        putBack(); // the end's save keeps the town that was checked last
        throw;
    } catch (const std::exception &) {
        context.platform.showMessage({QStringLiteral("Населенный пункт не найден."),
                                      QStringLiteral("Confirm"), MessageIcon::Question});
        putBack();
        return;
    }
    UACControl();
    takeOtherSettings();
    widget.SaveSettings();
    hide();
    widget.endForRestart();
}

// The port is converted last, so a port that is no number leaves the proxy's other values
// taken over.
void TForm2::takeProxySettings()
{
    TAppSettings &settings = context.shared.AppSettings;
    settings.ProxyUse = UseProxy->isChecked();
    settings.ProxyPublic = PublicProxy->isChecked();
    settings.ProxyHost = ProxyHost->text();
    settings.ProxyPort = integerValueOf(ProxyPort->text());
    settings.ProxyUser = ProxyUsername->text();
    settings.ProxyPass = ProxyPassword->text();
}

// Start at login is registered before the rest is taken over; a failure there stops Apply
// before anything is saved.
void TForm2::takeOtherSettings()
{
    TAppSettings &settings = context.shared.AppSettings;
    settings.TempLabel = FlickTempCheck->isChecked();
    settings.UpdateInterval = UpdateInterval->value();
    settings.AutoRun = AutoRun->isChecked();
    widget.AutoRun();
    settings.ClockMode = styleMode->currentIndex() == 0;
    settings.DateFormat = DateFormatComboBox->currentIndex();
    settings.IconStatus = IconStatusSet->isChecked();
    settings.PanelsMode = stylePanel->currentIndex();
    settings.FontColorForSkin = SelectedColor;
    settings.SizeFontForSkin = SizeForSkin->value();
}

} // namespace tervalo
