// SPDX-License-Identifier: MIT
// The settings dialog's controls: five pages and two buttons, at their fixed places.
#include "forecast/ForecastService.h"
#include "settings/LinkLabel.h"
#include "settings/NamedColours.h"
#include "settings/Settings.h"
#include "shell/Controls.h"
#include "shell/SharedState.h"

#include <QCompleter>
#include <QLineEdit>

namespace tervalo {

namespace {

const QColor TextGrey(0x80, 0x80, 0x80);
const QString ProgramName = QStringLiteral("Tervalo");
const QString MakerText = QStringLiteral("Orvek 2015");
// One line across the label's width: the runs of blanks spread the words out.
const QString ProgramDescription =
    QStringLiteral("Погодный     информер     с     часами     для      рабочего      стола");

QFont dialogFont(int pixelSize = 11)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The pages' texts are grey; the disabled look stays the style's own.
QPalette greyText(QPalette palette)
{
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, TextGrey);
    }
    return palette;
}

const QRect WebLinkBox(152, 150, 85, 13);
// The places of the search come from GeoNames, whose licence asks for its name.
const QString PlacesCreditText =
    QStringLiteral("Поиск населенных пунктов: GeoNames.org (CC BY 4.0)");

void fixSize(TLabel *label, QSize size)
{
    label->setAutoSize(false);
    label->resize(size);
}

// A centred self-sizing label keeps the centre of its design box whatever its text's width.
void centreOn(TLabel *label, QRect designBox)
{
    label->move(designBox.center().x() + 1 - label->width() / 2, designBox.top());
}

} // namespace

void TForm2::showForecastSource()
{
    const int source = context.shared.AppSettings.ForecastSource;
    ForecastSourceBox->setCurrentIndex(source == forecast_source::OpenMeteo ? 1 : 0);
    const ForecastSourceTexts &texts = forecastSourceTexts(source);
    Name2->setText(texts.dataLine);
    web->setText(texts.linkText);
    centreOn(web, WebLinkBox);
    PlacesCredit->setVisible(source == forecast_source::OpenMeteo);
}

QWidget *TForm2::addPage(const char *name, const QString &caption)
{
    auto *page = new QWidget;
    page->setObjectName(QLatin1String(name));
    page->setFont(dialogFont());
    page->setPalette(greyText(page->palette()));
    PageControl->addTab(page, caption);
    return page;
}

TLabel *TForm2::addLabel(QWidget *page, const char *name, const QString &text, QRect geometry)
{
    auto *label = new TLabel(text, page);
    label->setObjectName(QLatin1String(name));
    label->move(geometry.topLeft());
    return label;
}

LinkLabel *TForm2::addLink(QWidget *page, const char *name, const QString &text, QRect geometry)
{
    auto *link = new LinkLabel(text, page);
    link->setObjectName(QLatin1String(name));
    link->move(geometry.topLeft());
    return link;
}

QCheckBox *TForm2::addCheckBox(QWidget *page, const char *name, const QString &text, QRect geometry)
{
    auto *box = new QCheckBox(text, page);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

QComboBox *TForm2::addList(QWidget *page, const char *name, const QStringList &items,
                           QRect geometry)
{
    auto *list = new QComboBox(page);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    list->setGeometry(geometry);
    return list;
}

QLineEdit *TForm2::addEdit(QWidget *page, const char *name, const QString &text, QRect geometry)
{
    auto *edit = new QLineEdit(text, page);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    return edit;
}

QSlider *TForm2::addSlider(QWidget *page, const char *name, int minimum, int maximum,
                           QRect geometry)
{
    auto *slider = new QSlider(Qt::Horizontal, page);
    slider->setObjectName(QLatin1String(name));
    slider->setRange(minimum, maximum);
    slider->setTickPosition(QSlider::TicksBothSides);
    slider->setTickInterval(1);
    slider->setPageStep(1);
    slider->setGeometry(geometry);
    return slider;
}

void TForm2::createButtons()
{
    const auto button = [this](const char *name, const QString &text, QRect geometry) {
        auto *created = new QPushButton(text, this);
        created->setObjectName(QLatin1String(name));
        created->setFont(dialogFont());
        created->setGeometry(geometry);
        return created;
    };
    PageControl->tabBar()->setFont(dialogFont());
    ApplyButton = button("ApplyButton", QStringLiteral("Применить"), {235, 254, 75, 23});
    CancelButton = button("CancelButton", QStringLiteral("Отмена"), {316, 254, 75, 23});
    CancelButton->setDefault(true);
}

void TForm2::createGeneralPage()
{
    TabSheet4 = addPage("TabSheet4", QStringLiteral("Общее"));
    Label2 = addLabel(TabSheet4, "Label2", QStringLiteral("Формат даты"), {24, 20, 68, 13});
    DateFormatComboBox =
        addList(TabSheet4, "DateFormatComboBox",
                {QStringLiteral("среда, 1 января"), QStringLiteral("среда, 1 января 2014"),
                 QStringLiteral("1 января 2014"), QStringLiteral("1.01.2014")},
                {24, 39, 164, 22});
    IconStatusSet =
        addCheckBox(TabSheet4, "IconStatusSet",
                    QStringLiteral("Скрыть значок в область уведомлений"), {24, 90, 241, 17});
    AutoRun = addCheckBox(TabSheet4, "AutoRun", QStringLiteral("Запускать при входе в систему"),
                          {24, 113, 184, 17});
    AutoUpdate = addCheckBox(TabSheet4, "AutoUpdate",
                             QStringLiteral("Автоматически проверять обновления Tervalo"),
                             {24, 161, 297, 17});
    AutoUpdate->setChecked(true);
    NewVerInf =
        addLabel(TabSheet4, "NewVerInf", QStringLiteral("Установлена последняя версия приложения"),
                 {40, 184, 240, 13});
    fixSize(NewVerInf, {240, 13});
    downloadLB = addLink(TabSheet4, "downloadLB", QStringLiteral("скачать"), {238, 184, 41, 13});
    downloadLB->hide();
}

void TForm2::createWeatherPage()
{
    TabSheet1 = addPage("TabSheet1", QStringLiteral("Погода"));
    OtherText1 =
        addLabel(TabSheet1, "OtherText1", QStringLiteral("Введите название населенного пункта ◢"),
                 {24, 20, 358, 15});
    fixSize(OtherText1, {358, 15});
    CityNameComboBox = new QComboBox(TabSheet1);
    CityNameComboBox->setObjectName(QStringLiteral("CityNameComboBox"));
    CityNameComboBox->setGeometry(24, 39, 345, 21);
    CityNameComboBox->setEditable(true);
    CityNameComboBox->setEditText(QStringLiteral("Киров"));
    CityNameComboBox->setToolTip(QStringLiteral(" "));
    // The list is the directory's alone: Enter never adds what was typed to it.
    CityNameComboBox->setInsertPolicy(QComboBox::NoInsert);
    CityNameComboBox->completer()->setCompletionMode(QCompleter::InlineCompletion);
    CityNameComboBox->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    // A key typed into the box reaches the combo box, which hands it to its edit field
    // directly, or the edit field itself: both are watched.
    CityNameComboBox->installEventFilter(this);
    CityNameComboBox->lineEdit()->installEventFilter(this);
    UpdateMinutes = addLabel(TabSheet1, "UpdateMinutes", QStringLiteral("200"), {24, 75, 18, 13});
    UpdateInterval = addSlider(TabSheet1, "UpdateInterval", 0, 40, {16, 95, 355, 45});
    UpdateInterval->setValue(20);
    UpdateDataLabel =
        addLabel(TabSheet1, "UpdateDataLabel",
                 QStringLiteral("Пулково (аэропорт), 2015-01-07T20:30:00 "), {24, 140, 217, 13});
    OtherText2 = addLabel(TabSheet1, "OtherText2", QStringLiteral("Последнее обновление было в:"),
                          {148, 178, 160, 13});
    OtherText2->hide();
    LastUpdate =
        addLabel(TabSheet1, "LastUpdate", QStringLiteral("LastUpdate"), {314, 178, 55, 13});
    LastUpdate->hide();
    FlickTempCheck =
        addCheckBox(TabSheet1, "FlickTempCheck",
                    QStringLiteral("Показывать ощущаемую температуру вместо прогнозируемой"),
                    {24, 197, 365, 17});
    FlickTempCheck->hide();
    // In the free line between the last forecast's facts and the hidden controls below.
    ForecastSourceLabel = addLabel(TabSheet1, "ForecastSourceLabel",
                                   QStringLiteral("Источник прогноза"), {24, 160, 0, 0});
    QStringList sources;
    for (const ForecastSourceTexts &source : ForecastSourceNames)
        sources << source.name;
    ForecastSourceBox = addList(TabSheet1, "ForecastSourceBox", sources, {148, 156, 221, 21});
    // Right under the town box, what a search of places worldwide came to.
    PlaceSearchLine = addLabel(TabSheet1, "PlaceSearchLine", QString(), {24, 61, 345, 13});
    fixSize(PlaceSearchLine, {345, 13});
    createPlaceList();
    for (QWidget *handle : std::initializer_list<QWidget *>{TabSheet1, UpdateMinutes, LastUpdate,
                                                            OtherText1, OtherText2})
        dragBy(handle);
}

void TForm2::createStylePage()
{
    TabSheet5 = addPage("TabSheet5", QStringLiteral("Стиль"));
    ImageClockandWeather = new TImage(TabSheet5);
    ImageClockandWeather->setObjectName(QStringLiteral("ImageClockandWeather"));
    ImageClockandWeather->setGeometry(103, 10, 170, 87);
    Title = addLabel(TabSheet5, "Title", QStringLiteral("Стиль"), {24, 98, 0, 0});
    Label1 = addLabel(TabSheet5, "Label1", QStringLiteral("Содержимое"), {204, 98, 0, 0});
    stylePanel = addList(TabSheet5, "stylePanel",
                         {QStringLiteral("Классический"), QStringLiteral("Цифровой"),
                          QStringLiteral("Минималистичный")},
                         {24, 121, 164, 22});
    styleMode = addList(TabSheet5, "styleMode",
                        {QStringLiteral("Часы и погода"), QStringLiteral("Только часы")},
                        {204, 121, 164, 22});
    Label7 = addLabel(TabSheet5, "Label7", QStringLiteral("Цвет"), {24, 149, 0, 0});
    Label8 = addLabel(TabSheet5, "Label8", QStringLiteral("Размер х1"), {204, 149, 0, 0});
    ColorBox1 = addList(TabSheet5, "ColorBox1", {}, {24, 172, 164, 22});
    // Fifty colours would open a list as tall as the screen. Styles that open the list as a menu
    // (Fusion among them) ignore the bound and leave out the scroll bar; as a plain list it holds.
    // The list takes its scroll bar from the style it is made with, so the style comes first.
    ColorBox1->setStyleSheet(QStringLiteral("combobox-popup: 0;"));
    ColorBox1->setMaxVisibleItems(16);
    fillColourList(*ColorBox1);
    SizeForSkin = addSlider(TabSheet5, "SizeForSkin", 1, 10, {194, 163, 174, 40});
    for (QWidget *control :
         std::initializer_list<QWidget *>{Label7, Label8, ColorBox1, SizeForSkin})
        control->setEnabled(false);
}

void TForm2::createNetworkPage()
{
    TabSheet3 = addPage("TabSheet3", QStringLiteral("Сеть"));
    UseProxy = addCheckBox(TabSheet3, "UseProxy",
                           QStringLiteral("Использовать прокси-сервер для подключения"),
                           {24, 20, 337, 17});
    Label3 = addLabel(TabSheet3, "Label3", QStringLiteral("Хост"), {24, 46, 0, 0});
    ProxyHost = addEdit(TabSheet3, "ProxyHost", QString(), {24, 65, 164, 21});
    Label4 = addLabel(TabSheet3, "Label4", QStringLiteral("Порт"), {208, 46, 0, 0});
    ProxyPort = addEdit(TabSheet3, "ProxyPort", QStringLiteral("ProxyPort"), {208, 65, 164, 21});
    PublicProxy =
        addCheckBox(TabSheet3, "PublicProxy", QStringLiteral("Приватный"), {24, 92, 97, 17});
    PublicProxy->setChecked(true);
    Label5 = addLabel(TabSheet3, "Label5", QStringLiteral("Имя пользователя"), {24, 115, 0, 0});
    ProxyUsername =
        addEdit(TabSheet3, "ProxyUsername", QStringLiteral("ProxyUsername"), {24, 134, 164, 21});
    Label6 = addLink(TabSheet3, "Label6", QStringLiteral("Пароль"), {208, 115, 0, 0});
    Label6->setToolTip(QStringLiteral("Показать"));
    ProxyPassword =
        addEdit(TabSheet3, "ProxyPassword", QStringLiteral("ProxyPassword"), {208, 134, 164, 21});
    ProxyPassword->setEchoMode(QLineEdit::Password);
    // The mask is an asterisk, not the style's own dot.
    ProxyPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    // The settings file's coding of the password holds no more.
    ProxyPassword->setMaxLength(63);
}

void TForm2::createAboutPage()
{
    TabSheet2 = addPage("TabSheet2", QStringLiteral("О программе"));
    NameProg = addLabel(TabSheet2, "NameProg", ProgramName, {0, 20, 387, 19});
    QFont heading = dialogFont(16);
    heading.setBold(true);
    NameProg->setFont(heading);
    fixSize(NameProg, {387, 19});
    NameProg->setAlignment(Qt::AlignCenter);
    Name = addLabel(TabSheet2, "Name", ProgramDescription, {24, 67, 345, 13});
    fixSize(Name, {345, 13});
    const QRect webSiteBox(136, 86, 121, 13);
    WebSite = addLink(TabSheet2, "WebSite", context.service.programSite, webSiteBox);
    centreOn(WebSite, webSiteBox);
    // The data line and the link name the forecast's source; they are set when the dialog
    // is shown.
    Name2 = addLabel(TabSheet2, "Name2", ForecastSourceNames[0].dataLine, {24, 131, 332, 13});
    web = addLink(TabSheet2, "web", ForecastSourceNames[0].linkText, WebLinkBox);
    centreOn(web, WebLinkBox);
    PlacesCredit = addLabel(TabSheet2, "PlacesCredit", PlacesCreditText, {24, 169, 345, 13});
    fixSize(PlacesCredit, {345, 13});
    PlacesCredit->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Ver = addLabel(TabSheet2, "Ver", QStringLiteral("Версия ") + CurrentVersion, {24, 191, 81, 13});
    fixSize(Ver, {81, 13});
    MakerLine = addLabel(TabSheet2, "MakerLine", MakerText, {295, 191, 61, 13});
    fixSize(MakerLine, {61, 13});
    MakerLine->setAlignment(Qt::AlignRight | Qt::AlignTop);
    for (QWidget *handle : std::initializer_list<QWidget *>{TabSheet2, Name, Name2})
        dragBy(handle);
}

} // namespace tervalo
