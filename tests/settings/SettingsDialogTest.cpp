// SPDX-License-Identifier: MIT
#include "platform/AppError.h"
#include "settings/DataFiles.h"
#include "settings/DialogTexts.h"
#include "settings/LinkLabel.h"
#include "settings/Settings.h"
#include "shell/Application.h"
#include "shell/Controls.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"
#include "support/Processes.h"
#include "support/Typing.h"
#include "support/WidgetHarness.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace tervalo {
namespace {

const QByteArray Directory = R"(<?xml version="1.0" encoding="utf-8"?>
<cities>
  <country name="Россия">
    <city id="27612">Москва</city>
    <city id="26063">Санкт-Петербург</city>
    <city id="27196">Киров</city>
  </country>
  <country name="Беларусь">
    <city id="26850">Минск</city>
    <city id="33008">Брест</city>
    <city id="26666">Витебск</city>
  </country>
</cities>)";

// A record in which every field the dialog shows differs from the dialog's design state.
TAppSettings storedRecord()
{
    TAppSettings settings;
    settings.CityID = QStringLiteral("27196");
    settings.CityText = QStringLiteral("Киров, Россия - 27196");
    settings.TempLabel = true;
    settings.UpdateInterval = 25;
    settings.AutoRun = true;
    settings.ClockMode = false;
    settings.AutoCheckVer = false;
    settings.DateFormat = 2;
    settings.IconStatus = true;
    settings.PanelsMode = 2;
    settings.ProxyUse = true;
    settings.ProxyPublic = false;
    settings.ProxyHost = QStringLiteral("proxy.local");
    settings.ProxyPort = 3128;
    settings.ProxyUser = QStringLiteral("ivanov");
    settings.ProxyPass = QStringLiteral("pa:ss");
    settings.FontColorForSkin = 0x0000FF; // red
    settings.SizeFontForSkin = 7;
    return settings;
}

// A control's value as the user sees it: a check mark "1" or "0", a list's position, a typed
// box's text, a slider's position, an edit's or a label's text.
QString valueOf(const QWidget *control)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(control))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (const auto *list = qobject_cast<const QComboBox *>(control))
        return list->isEditable() ? list->currentText() : QString::number(list->currentIndex());
    if (const auto *slider = qobject_cast<const QSlider *>(control))
        return QString::number(slider->value());
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    return qobject_cast<const QLabel *>(control)->text();
}

// Changes a control as the user does, so its handler runs as it would.
void changeAsTheUser(QWidget *control, const QString &value)
{
    if (auto *box = qobject_cast<QCheckBox *>(control)) {
        if (valueOf(box) != value)
            box->click();
    } else if (auto *list = qobject_cast<QComboBox *>(control)) {
        if (list->isEditable()) {
            list->setEditText(value);
        } else {
            list->setCurrentIndex(value.toInt());
            emit list->activated(value.toInt());
        }
    } else if (auto *slider = qobject_cast<QSlider *>(control)) {
        slider->setValue(value.toInt());
    } else {
        qobject_cast<QLineEdit *>(control)->setText(value);
    }
}

void clickOn(QWidget *control, QPoint at = {2, 2}, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF global = control->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(control, &release);
}

// The dialog of a widget whose settings were read from its file, over a town directory of
// two groups of three towns, with the stand-in forecast service on loopback.
struct DialogBench {
    DialogBench()
    {
        harness.platform.online = true;
        harness.platform.writeDataFile(TownDirectoryFileName, Directory);
        store(storedRecord());
        dialog.FormCreate();
    }
    // Saves the record as the settings file and reads it back into the widget, as at a start.
    void store(const TAppSettings &record)
    {
        harness.shared.AppSettings = record;
        harness.form->CityNameLabel->setText(QStringLiteral("Киров"));
        harness.form->SaveSettings();
        harness.form->ReadSettings();
        storedFile = harness.platform.readDataFile(SettingsFileName);
    }
    QWidget *control(const char *name) const
    {
        auto *found = dialog.findChild<QWidget *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Fills every control for a change of town, look, period and proxy, as a user would.
    void chooseNewSettings()
    {
        for (const auto &[name, value] : newChoices)
            changeAsTheUser(control(name), value);
    }
    bool nothingSaved() const
    {
        return harness.platform.readDataFile(SettingsFileName) == storedFile;
    }
    const TAppSettings &settings() const { return harness.shared.AppSettings; }

    const std::vector<std::pair<const char *, QString>> newChoices = {
        {"FlickTempCheck", QStringLiteral("0")},
        {"CityNameComboBox", QStringLiteral("Санкт-Петербург, Россия - 26063")},
        {"UpdateInterval", QStringLiteral("4")},
        {"ForecastSourceBox", QStringLiteral("1")}, // Open-Meteo
        {"AutoRun", QStringLiteral("0")},
        {"styleMode", QStringLiteral("0")},
        {"AutoUpdate", QStringLiteral("0")},
        {"DateFormatComboBox", QStringLiteral("3")},
        {"IconStatusSet", QStringLiteral("0")},
        // Colour and size while the minimalistic skin still enables them.
        {"ColorBox1", QStringLiteral("4")}, // navy
        {"SizeForSkin", QStringLiteral("3")},
        {"stylePanel", QStringLiteral("1")},
        // The proxy's fields while the proxy is still on.
        {"PublicProxy", QStringLiteral("1")},
        {"ProxyHost", QStringLiteral("")},
        {"ProxyPort", QStringLiteral("8080")},
        {"ProxyUsername", QStringLiteral("petrov")},
        {"ProxyPassword", QStringLiteral("new secret")},
        {"UseProxy", QStringLiteral("0")},
    };

    test::LoopbackForecastService service;
    test::WidgetHarness harness{service.endpoints()};
    TForm2 dialog{harness.context, *harness.form};
    QByteArray storedFile;
};

class SettingsDialogTest : public ::testing::Test, public DialogBench {
protected:
    void SetUp() override { ASSERT_TRUE(service.isRunning()); }
};

// Every control shows its setting, and Apply takes every control back into the settings,
// saves them, starts the program again and ends this one.
TEST_F(SettingsDialogTest, EveryControlShowsItsSettingAndApplyTakesItBack)
{
    dialog.MenuSetttingsClick();

    EXPECT_TRUE(dialog.isVisible());
    const std::pair<const char *, QString> shown[] = {
        {"FlickTempCheck", QStringLiteral("1")},
        {"CityNameComboBox", QStringLiteral("Киров, Россия - 27196")},
        {"UpdateInterval", QStringLiteral("25")},
        {"UpdateMinutes", QStringLiteral("Интервал обновления прогноза погоды: 250 минут")},
        {"ForecastSourceBox", QStringLiteral("0")},
        {"Name2", QStringLiteral("Данные продоставлены оператором FORECA с помощью сервиса")},
        {"web", QStringLiteral("Яндекс.Погода")},
        {"AutoRun", QStringLiteral("1")},
        {"styleMode", QStringLiteral("1")},
        {"AutoUpdate", QStringLiteral("0")},
        {"NewVerInf", QStringLiteral("Установлена последняя версия приложения")},
        {"DateFormatComboBox", QStringLiteral("2")},
        {"IconStatusSet", QStringLiteral("1")},
        {"stylePanel", QStringLiteral("2")},
        {"UseProxy", QStringLiteral("1")},
        {"PublicProxy", QStringLiteral("0")},
        {"ProxyHost", QStringLiteral("proxy.local")},
        {"ProxyPort", QStringLiteral("3128")},
        {"ProxyUsername", QStringLiteral("ivanov")},
        {"ProxyPassword", QStringLiteral("pa:ss")},
        {"ColorBox1", QStringLiteral("9")}, // red
        {"SizeForSkin", QStringLiteral("7")},
        {"Label8", QStringLiteral("Размер х7")},
    };
    for (const auto &[name, value] : shown)
        EXPECT_EQ(valueOf(control(name)), value) << name;
    EXPECT_EQ(dialog.ImageClockandWeather->pictureName(), QStringLiteral("mnlc"));
    EXPECT_TRUE(dialog.downloadLB->isHidden());
    const std::pair<const char *, bool> enabled[] = {
        {"ProxyHost", true},      {"ProxyPort", true},      {"PublicProxy", true},
        {"ProxyUsername", false}, {"ProxyPassword", false}, {"ColorBox1", true},
        {"SizeForSkin", true},    {"Label7", true},         {"Label8", true},
    };
    for (const auto &[name, on] : enabled)
        EXPECT_EQ(control(name)->isEnabled(), on) << name;

    chooseNewSettings();
    dialog.ApplyButton->click();

    EXPECT_TRUE(harness.platform.messages.empty());
    TAppSettings expected = storedRecord();
    expected.CityID = QStringLiteral("26063");
    expected.CityName = QStringLiteral("Санкт-Петербург");
    expected.CityText = QStringLiteral("Санкт-Петербург, Россия - 26063");
    expected.TempLabel = false;
    expected.UpdateInterval = 4;
    expected.AutoRun = false;
    expected.ClockMode = true;
    expected.DateFormat = 3;
    expected.IconStatus = false;
    expected.PanelsMode = 1;
    expected.ProxyUse = false;
    expected.ProxyPublic = true;
    expected.ProxyHost = QString();
    expected.ProxyPort = 8080;
    expected.ProxyUser = QStringLiteral("petrov");
    expected.ProxyPass = QStringLiteral("new secret");
    expected.FontColorForSkin = 0x800000;
    expected.SizeFontForSkin = 3;
    expected.ForecastSource = forecast_source::OpenMeteo;
    test::WidgetHarness next;
    next.platform.writeDataFile(SettingsFileName, harness.platform.readDataFile(SettingsFileName));
    next.form->ReadSettings();
    TAppSettings saved = next.shared.AppSettings;
    // The window's place, size and panel are the widget's own, not the dialog's.
    for (TAppSettings *record : {&expected, &saved}) {
        record->AddPanel = false;
        record->FormTop = record->FormLeft = record->FormHeight = record->FormWidth = 0;
    }
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(harness.form->CityNameLabel->text(), QStringLiteral("Санкт-Петербург"));
    EXPECT_EQ(harness.platform.startedPrograms, QStringList{harness.platform.executablePath()});
    EXPECT_TRUE(harness.end.isRequested());
    EXPECT_FALSE(dialog.isVisible());
}

// Apply stops where the town, the port, the update or the files fail; what it has taken over
// by then stays taken over, and only a complete Apply saves and restarts.
TEST_F(SettingsDialogTest, ApplyStopsAtEachFailure)
{
    struct Outcome {
        QString message;
        QString caption;
        QString cityId;
        QString townCaption;
        QString proxyUser; // taken over only after the port
        bool saved;
        bool restarted;
    };
    struct Case {
        const char *name;
        std::function<void(DialogBench &)> arrange;
        Outcome outcome;
    };
    const QString stored = QStringLiteral("27196"), chosen = QStringLiteral("26063");
    const QString kirov = QStringLiteral("Киров"), piter = QStringLiteral("Санкт-Петербург");
    const QString confirm = QStringLiteral("Confirm"), title = QStringLiteral("tervalo");
    const Case cases[] = {
        {"a typed name without its identifier",
         [](DialogBench &t) {
             t.dialog.CityNameComboBox->setEditText(QStringLiteral("Санкт-Петербург"));
         },
         {QStringLiteral("Ошибки при получении прогноза"), confirm, stored, kirov,
          QStringLiteral("ivanov"), false, false}},
        {"an empty port",
         [](DialogBench &t) { t.dialog.ProxyPort->setText(QString()); },
         {QStringLiteral("'' is not a valid integer value."), title, chosen, piter,
          QStringLiteral("ivanov"), false, false}},
        {"a port that is no number",
         [](DialogBench &t) { t.dialog.ProxyPort->setText(QStringLiteral("80a")); },
         {QStringLiteral("'80a' is not a valid integer value."), title, chosen, piter,
          QStringLiteral("ivanov"), false, false}},
        {"a version document that cannot be read, the check ticked in the dialog",
         [](DialogBench &t) {
             t.dialog.AutoUpdate->setChecked(true);
             t.harness.service.versionDocument =
                 t.service.root() + QStringLiteral("/program/missing.xml");
         },
         {QStringLiteral("Населенный пункт не найден."), confirm, stored, kirov,
          QStringLiteral("petrov"), false, false}},
        {"an autostart entry that cannot be written",
         [](DialogBench &t) {
             t.dialog.AutoRun->setChecked(true);
             t.harness.platform.fileStore.failFromReplacement(1);
         },
         {QStringLiteral("Failed to set data for 'tervalo'."), title, chosen, piter,
          QStringLiteral("petrov"), false, true}},
        {"a settings file that cannot be written",
         [](DialogBench &t) {
             t.dialog.AutoRun->setChecked(false);
             t.harness.platform.fileStore.failFromReplacement(1);
         },
         {QString(), title, chosen, piter, QStringLiteral("petrov"), false, true}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DialogBench t;
        t.dialog.MenuSetttingsClick();
        t.chooseNewSettings();
        t.dialog.ProxyPort->setText(QStringLiteral("8080"));
        c.arrange(t);

        t.dialog.ApplyButton->click();

        ASSERT_EQ(t.harness.platform.messages.size(), 1u);
        const MessageBox &box = t.harness.platform.messages.front();
        if (!c.outcome.message.isEmpty())
            EXPECT_EQ(box.text, c.outcome.message);
        EXPECT_EQ(box.caption, c.outcome.caption);
        EXPECT_EQ(t.settings().CityID, c.outcome.cityId);
        EXPECT_EQ(t.harness.form->CityNameLabel->text(), c.outcome.townCaption);
        EXPECT_EQ(t.settings().ProxyUser, c.outcome.proxyUser);
        EXPECT_FALSE(t.settings().AutoCheckVer) << "the stored choice, or the unticked box";
        EXPECT_EQ(!t.nothingSaved(), c.outcome.saved);
        EXPECT_EQ(!t.harness.platform.startedPrograms.isEmpty(), c.outcome.restarted);
        EXPECT_TRUE(t.dialog.isVisible()) << "the dialog stays open";
        EXPECT_FALSE(t.harness.end.isRequested()) << "the program goes on";
    }
}

// Without a connection the update falls back to the clock, which reads the stored town back:
// Apply saves the other settings with the old town, and ends.
TEST_F(SettingsDialogTest, OfflineApplyKeepsTheStoredTownAndSavesTheRest)
{
    harness.platform.online = false;
    dialog.MenuSetttingsClick();
    chooseNewSettings();

    dialog.ApplyButton->click();

    EXPECT_TRUE(harness.platform.messages.empty());
    test::WidgetHarness next;
    next.platform.writeDataFile(SettingsFileName, harness.platform.readDataFile(SettingsFileName));
    next.form->ReadSettings();
    EXPECT_EQ(next.shared.AppSettings.CityID, QStringLiteral("27196"));
    EXPECT_EQ(next.shared.AppSettings.CityText, QStringLiteral("Киров, Россия - 27196"));
    EXPECT_EQ(next.shared.AppSettings.DateFormat, 3);
    EXPECT_EQ(next.shared.AppSettings.PanelsMode, 1);
    EXPECT_TRUE(harness.end.isRequested());
}

// Apply's new instance waits for this one to end, so after the save nothing may hold it: no
// update tick that was held over the town's check, and no box for an error on the way out.
TEST_F(SettingsDialogTest, AfterApplysSaveTheInstanceRunsNoUpdateAndShowsNoBox)
{
    harness.form->AutoCheckInet->setEnabled(true);
    dialog.MenuSetttingsClick();
    chooseNewSettings();
    // Apply's save works; the final one, as the window is destroyed, does not.
    harness.platform.fileStore.failFromReplacement(harness.platform.fileStore.replacements() + 2);

    dialog.ApplyButton->click();

    EXPECT_TRUE(harness.end.isRequested());
    EXPECT_FALSE(harness.form->AutoUpdate->isEnabled()) << "the town's check armed it";
    EXPECT_FALSE(harness.form->AutoCheckInet->isEnabled());
    testing::internal::CaptureStderr();
    harness.errors.guard([this] { harness.form->FormDestroy(); }); // as the window's end does
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(harness.platform.messages.empty());
    EXPECT_NE(errors.find("tervalo: Unable to write to "), std::string::npos) << errors;
}

// An end of the program (a signal, the session's end) while Apply checks the new town: the
// check stops, nothing starts and nothing is said, and the end's save keeps the stored town.
TEST_F(SettingsDialogTest, AnEndDuringApplysCheckKeepsTheStoredTownAndStartsNothing)
{
    harness.service.openMeteoForecast = service.secureRoot() + QStringLiteral("/slow/v1/forecast");
    dialog.MenuSetttingsClick();
    chooseNewSettings();
    QTimer::singleShot(300, [this] { harness.network.abandon(); });

    dialog.ApplyButton->click();

    EXPECT_TRUE(harness.platform.messages.empty());
    EXPECT_TRUE(harness.platform.startedPrograms.isEmpty());
    EXPECT_TRUE(nothingSaved());
    EXPECT_EQ(settings().CityID, QStringLiteral("27196"));
    EXPECT_EQ(settings().CityText, QStringLiteral("Киров, Россия - 27196"));
    EXPECT_EQ(harness.form->CityNameLabel->text(), QStringLiteral("Киров"));
    EXPECT_EQ(settings().ForecastSource, storedRecord().ForecastSource);
}

// A version document that cannot be read must not keep the user from turning its check off.
TEST_F(SettingsDialogTest, ApplyThatTurnsTheVersionCheckOffDoesNotCheck)
{
    TAppSettings record = storedRecord();
    record.AutoCheckVer = true;
    store(record);
    harness.service.versionDocument = service.root() + QStringLiteral("/program/missing.xml");
    dialog.MenuSetttingsClick();
    chooseNewSettings(); // the check unticked

    dialog.ApplyButton->click();

    EXPECT_TRUE(harness.platform.messages.empty());
    EXPECT_FALSE(settings().AutoCheckVer);
    EXPECT_FALSE(nothingSaved());
    EXPECT_EQ(harness.platform.startedPrograms, QStringList{harness.platform.executablePath()});
    EXPECT_TRUE(harness.end.isRequested());
}

// The weather page with Open-Meteo chosen and the town box focused, where the user types a
// name to look up.
class PlaceSearchTest : public SettingsDialogTest {
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        TAppSettings direct = storedRecord();
        direct.ProxyUse = false; // the proxy's own test says when it is used
        store(direct);
        dialog.MenuSetttingsClick();
        dialog.PageControl->setCurrentWidget(dialog.TabSheet1);
        changeAsTheUser(dialog.ForecastSourceBox, QStringLiteral("1"));
        dialog.activateWindow();
        dialog.CityNameComboBox->setFocus();
        QApplication::processEvents();
    }
    QLineEdit *townEdit() const { return dialog.CityNameComboBox->lineEdit(); }
    QAbstractItemView *placeList() const
    {
        return dialog.findChild<QCompleter *>(QStringLiteral("PlaceList"))->popup();
    }
    QStringList listed() const
    {
        QStringList entries;
        for (int row = 0; row < placeList()->model()->rowCount(); ++row)
            entries << placeList()->model()->index(row, 0).data().toString();
        return entries;
    }
    // Types the name and waits until the search has come to something: a list or a line.
    bool typeAndAwait(const QString &name)
    {
        test::typeInto(townEdit(), name);
        return awaitTheSearch();
    }
    bool awaitTheSearch(int milliseconds = 10000)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < milliseconds) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
            if (placeList()->isVisible() || !dialog.PlaceSearchLine->text().isEmpty())
                return true;
        }
        return false;
    }
    qsizetype searches() const
    {
        const std::vector<test::ReceivedRequest> requests = service.requests();
        return std::count_if(requests.cbegin(), requests.cend(),
                             [](const test::ReceivedRequest &request) {
                                 return request.line.contains(QLatin1String("/v1/search?"));
                             });
    }
};

// A name that the directory does not hold is looked up after the pause; its places are listed
// under the directory's matches, picked with Down and Return, and Apply keeps the place: its
// name, its entry and its coordinates, for which the checking update already asks.
TEST_F(PlaceSearchTest, APlaceFoundWorldwideIsPickedAndKept)
{
    dialog.CityNameComboBox->addItem(QStringLiteral("Выборгская сторона, Россия - 99999"));
    const QString vyborg = QStringLiteral("Выборг, Ленинградская область, Россия - 470546");

    townEdit()->clear();
    ASSERT_TRUE(typeAndAwait(QStringLiteral("Выборг")));
    EXPECT_EQ(dialog.PlaceSearchLine->text(), QString());
    EXPECT_EQ(listed(),
              QStringList({QStringLiteral("Выборгская сторона, Россия - 99999"), vyborg}));
    QTest::keyClick(placeList(), Qt::Key_Down);
    QTest::keyClick(placeList(), Qt::Key_Down);
    QTest::keyClick(placeList(), Qt::Key_Return);
    EXPECT_EQ(dialog.CityNameComboBox->currentText(), vyborg);
    EXPECT_FALSE(placeList()->isVisible());

    dialog.ApplyButton->click();
    ASSERT_TRUE(harness.platform.messages.empty());
    const QByteArray saved = harness.platform.readDataFile(SettingsFileName);
    for (const char *row : {"CityIDSave=470546\n", "CityNameSave=Выборг\n",
                            "Text=Выборг, Ленинградская область, Россия - 470546\n",
                            "Latitude=60.70763\n", "Longitude=28.75283\n"})
        EXPECT_TRUE(saved.contains(row)) << row << "\n" << saved.constData();
    const std::vector<test::ReceivedRequest> requests = service.requests();
    EXPECT_TRUE(std::any_of(requests.cbegin(), requests.cend(), [](const auto &request) {
        return request.line.contains(
            QLatin1String("/v1/forecast?latitude=60.70763&longitude=28.75283"));
    })) << "the checking update asks for the place";
}

// When the search brings no places, a line under the box says why, and nothing else changes:
// the box keeps the typed text, nothing is listed, nothing is saved.
TEST_F(PlaceSearchTest, EachFailureShowsItsLineAndChangesNothing)
{
    struct Case {
        const char *what;
        QString endpoint;
        const char *line;
    };
    const QString secure = service.secureRoot();
    const Case cases[] = {
        {"nothing found", secure + QStringLiteral("/v1/search"), "Ничего не найдено"},
        {"the rate limit", secure + QStringLiteral("/status429/v1/search"),
         "Нет связи со службой поиска"},
        {"a page, not JSON", secure + QStringLiteral("/html/v1/search"),
         "Служба поиска ответила непонятно"},
        {"a cut answer", secure + QStringLiteral("/truncated/v1/search"),
         "Служба поиска ответила непонятно"},
        {"no answer in time", secure + QStringLiteral("/slow/v1/search"),
         "Нет связи со службой поиска"},
        {"offline", QStringLiteral("https://127.0.0.1:%1/v1/search").arg(test::unusedPort()),
         "Нет связи со службой поиска"},
    };
    harness.service.limits.transferTimeout = std::chrono::milliseconds(1500);
    const QString name = QStringLiteral("Мухосранск");
    const TAppSettings before = settings();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        harness.service.placeSearch = c.endpoint;
        dialog.MenuSetttingsClick(); // a new showing asks afresh
        changeAsTheUser(dialog.ForecastSourceBox, QStringLiteral("1"));
        townEdit()->clear();
        ASSERT_TRUE(typeAndAwait(name));
        EXPECT_EQ(dialog.PlaceSearchLine->text(), QString::fromUtf8(c.line));
        EXPECT_FALSE(placeList()->isVisible());
        EXPECT_EQ(dialog.CityNameComboBox->currentText(), name);
        EXPECT_TRUE(settings() == before);
        EXPECT_TRUE(nothingSaved());
    }
}

// The search goes to the user's proxy as the forecast does, with the Basic credentials up
// front: the right ones find the place, wrong ones find nothing through that proxy.
TEST_F(PlaceSearchTest, TheSearchGoesThroughTheUsersProxy)
{
    test::Tinyproxy proxy({{QStringLiteral("ivan"), QStringLiteral("s3cret")}});
    ASSERT_TRUE(proxy.isRunning());
    TAppSettings &stored = harness.shared.AppSettings;
    stored.ProxyUse = true;
    stored.ProxyPublic = true;
    stored.ProxyHost = QStringLiteral("127.0.0.1");
    stored.ProxyPort = proxy.port();
    stored.ProxyUser = QStringLiteral("ivan");
    for (const char *password : {"wrong", "s3cret"}) {
        SCOPED_TRACE(password);
        stored.ProxyPass = QLatin1String(password);
        dialog.MenuSetttingsClick();
        changeAsTheUser(dialog.ForecastSourceBox, QStringLiteral("1"));
        townEdit()->clear();
        ASSERT_TRUE(typeAndAwait(QStringLiteral("Выборг")));
        const bool right = QByteArray(password) == "s3cret";
        EXPECT_EQ(placeList()->isVisible(), right);
        EXPECT_EQ(dialog.PlaceSearchLine->text(),
                  right ? QString() : QStringLiteral("Нет связи со службой поиска"));
        placeList()->hide();
    }
}

// The service is asked sparingly: nothing with the XML export, which knows station indexes
// only; nothing for one letter; once per name while the dialog stays open, Enter included.
TEST_F(PlaceSearchTest, TheServiceIsAskedOnlyWhenItCanHelpAndOncePerName)
{
    changeAsTheUser(dialog.ForecastSourceBox, QStringLiteral("0"));
    townEdit()->clear();
    test::typeInto(townEdit(), QStringLiteral("Выборг"));
    EXPECT_FALSE(awaitTheSearch(1500));
    EXPECT_EQ(searches(), 0);

    changeAsTheUser(dialog.ForecastSourceBox, QStringLiteral("1"));
    townEdit()->clear();
    test::typeInto(townEdit(), QStringLiteral("В"));
    EXPECT_FALSE(awaitTheSearch(1500));
    EXPECT_EQ(searches(), 0);

    test::typeInto(townEdit(), QStringLiteral("ыборг\r")); // Enter asks at once
    ASSERT_TRUE(awaitTheSearch());
    EXPECT_EQ(searches(), 1);
    placeList()->hide();
    test::typeInto(townEdit(), QStringLiteral("\r"));
    ASSERT_TRUE(awaitTheSearch());
    EXPECT_TRUE(placeList()->isVisible()) << "the answer had is listed again";
    EXPECT_EQ(searches(), 1);
}

// The design texts stay until a value changes them: a slider set to the position it already
// has runs no handler.
TEST_F(SettingsDialogTest, TheIntervalTextChangesOnlyWithThePosition)
{
    const std::pair<int, QString> cases[] = {
        {20, QStringLiteral("200")},
        {25, QStringLiteral("Интервал обновления прогноза погоды: 250 минут")},
        {0, QStringLiteral("Интервал обновления прогноза погоды: 0 минут")},
    };
    for (const auto &[interval, text] : cases) {
        TForm2 fresh(harness.context, *harness.form);
        harness.shared.AppSettings.UpdateInterval = interval;
        harness.shared.AppSettings.SizeFontForSkin = 1;
        fresh.MenuSetttingsClick();
        EXPECT_EQ(fresh.UpdateMinutes->text(), text) << interval;
        EXPECT_EQ(fresh.Label8->text(), QStringLiteral("Размер х1"));
    }
}

// The preview follows skin and content, from the settings when shown and from the lists when
// the user picks; colour and size are for the minimalistic skin alone.
TEST_F(SettingsDialogTest, ThePreviewFollowsSkinAndContent)
{
    struct Case {
        int skin;
        int content; // 0 clock and weather, 1 clock only
        const char *picture;
        int top;
    };
    const Case cases[] = {
        {0, 0, "clsw", 10}, {0, 1, "clsc", 10}, {1, 0, "ditw", 10}, {1, 1, "ditc", 10},
        {2, 0, "mnlw", 40}, {2, 1, "mnlc", 40}, {3, 0, "", 10},     {-1, 1, "", 10},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.skin << "/" << c.content);
        harness.shared.AppSettings.PanelsMode = c.skin;
        harness.shared.AppSettings.ClockMode = c.content == 0;
        dialog.MenuSetttingsClick();
        EXPECT_EQ(dialog.ImageClockandWeather->pictureName(), QLatin1String(c.picture));
        EXPECT_EQ(dialog.ImageClockandWeather->isEmpty(), *c.picture == '\0');
        EXPECT_EQ(dialog.ImageClockandWeather->y(), c.top);
        EXPECT_EQ(dialog.ColorBox1->isEnabled(), c.skin == 2);

        // The same choice picked in the lists, starting from another skin.
        harness.shared.AppSettings.PanelsMode = c.skin == 1 ? 2 : 1;
        dialog.MenuSetttingsClick();
        dialog.styleMode->setCurrentIndex(c.content);
        changeAsTheUser(dialog.stylePanel, QString::number(c.skin));
        EXPECT_EQ(dialog.ImageClockandWeather->pictureName(), QLatin1String(c.picture));
        EXPECT_EQ(dialog.ImageClockandWeather->y(), c.top);
        for (QWidget *sizeAndColour : std::initializer_list<QWidget *>{
                 dialog.Label7, dialog.Label8, dialog.ColorBox1, dialog.SizeForSkin})
            EXPECT_EQ(sizeAndColour->isEnabled(), c.skin == 2);
    }
}

// What the dialog shows beyond the settings, and what it forgets at Cancel.
TEST_F(SettingsDialogTest, ShowingAgainReplacesWhatWasLeftAndCancelMasksThePassword)
{
    // No forecast read yet, and the version check on with no version known.
    harness.shared.AppSettings.AutoCheckVer = true;
    harness.shared.AppSettings.PanelsMode = 1;
    dialog.MenuSetttingsClick();
    EXPECT_EQ(dialog.UpdateDataLabel->text(), QStringLiteral("Получено: н/д, н/д"));
    EXPECT_EQ(dialog.NewVerInf->text(), QStringLiteral("Появилась новая версия приложения:"));
    EXPECT_FALSE(dialog.downloadLB->isHidden());

    changeAsTheUser(dialog.stylePanel, QStringLiteral("2"));
    clickOn(dialog.Label6);
    EXPECT_EQ(dialog.ProxyPassword->echoMode(), QLineEdit::Normal) << "the password shows";
    dialog.CancelButton->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.ProxyPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.stylePanel->currentIndex(), 2) << "the edits stay until the next showing";

    harness.shared.StationName = QStringLiteral("Киров");
    harness.shared.ObservationTime = QStringLiteral("2014-01-01T11:30:00");
    dialog.MenuSetttingsClick();
    EXPECT_EQ(dialog.stylePanel->currentIndex(), 1);
    EXPECT_FALSE(dialog.ColorBox1->isEnabled());
    EXPECT_EQ(dialog.ImageClockandWeather->y(), 10);
    EXPECT_EQ(dialog.UpdateDataLabel->text(),
              QStringLiteral("Получено: Киров, 2014-01-01T11:30:00"));
}

// The object name of the control that has the focus, the tab strip by that name.
QString focusedName(const TForm2 &dialog)
{
    QWidget *const focused = QApplication::focusWidget();
    if (focused == dialog.PageControl->tabBar())
        return QStringLiteral("tab strip");
    return focused ? focused->objectName() : QStringLiteral("nothing");
}

// The names the focus passes on a round of Tab (or Shift+Tab) from the tab strip back to it.
QStringList tabRound(TForm2 &dialog, Qt::Key key)
{
    dialog.PageControl->tabBar()->setFocus(Qt::TabFocusReason);
    QStringList passed;
    for (int step = 0; step < 20; ++step) {
        QTest::keyClick(QApplication::focusWidget(), key);
        const QString name = focusedName(dialog);
        if (name == QLatin1String("tab strip"))
            return passed;
        passed << name;
    }
    ADD_FAILURE() << "the focus never came back to the tab strip";
    return passed;
}

// On every page the focus goes from the tab strip through the page's controls in their order on
// the page, then to Apply and Cancel, and back to the tab strip; disabled and hidden controls
// are passed over. Shift+Tab goes the same way back.
TEST_F(SettingsDialogTest, TabGoesThroughThePageThenTheButtons)
{
    struct Case {
        const char *page;
        std::function<void(TAppSettings &)> arrange;
        QStringList controls;
    };
    const auto asStored = [](TAppSettings &) {};
    const Case cases[] = {
        {"TabSheet4", asStored, {"DateFormatComboBox", "IconStatusSet", "AutoRun", "AutoUpdate"}},
        {"TabSheet1", asStored, {"CityNameComboBox", "UpdateInterval", "ForecastSourceBox"}},
        {"TabSheet5", asStored, {"stylePanel", "styleMode", "ColorBox1", "SizeForSkin"}},
        {"TabSheet5", [](TAppSettings &s) { s.PanelsMode = 0; }, {"stylePanel", "styleMode"}},
        {"TabSheet3", asStored, {"UseProxy", "ProxyHost", "ProxyPort", "PublicProxy"}},
        {"TabSheet3",
         [](TAppSettings &s) { s.ProxyPublic = true; },
         {"UseProxy", "ProxyHost", "ProxyPort", "PublicProxy", "ProxyUsername", "ProxyPassword"}},
        {"TabSheet3", [](TAppSettings &s) { s.ProxyUse = false; }, {"UseProxy"}},
        {"TabSheet2", asStored, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page);
        harness.shared.AppSettings = storedRecord();
        c.arrange(harness.shared.AppSettings);
        TForm2 fresh(harness.context, *harness.form);
        fresh.MenuSetttingsClick();
        fresh.PageControl->setCurrentWidget(fresh.findChild<QWidget *>(QLatin1String(c.page)));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));

        const QStringList expected = c.controls + QStringList{"ApplyButton", "CancelButton"};
        EXPECT_EQ(tabRound(fresh, Qt::Key_Tab), expected);
        QStringList backwards = expected;
        std::reverse(backwards.begin(), backwards.end());
        EXPECT_EQ(tabRound(fresh, Qt::Key_Backtab), backwards);
    }
}

// Fifty colours would open a list as tall as the screen: it opens with a scroll bar instead.
TEST_F(SettingsDialogTest, TheColourListOpensWithAScrollBar)
{
    dialog.MenuSetttingsClick();
    dialog.PageControl->setCurrentWidget(dialog.TabSheet5);
    ASSERT_TRUE(dialog.ColorBox1->isEnabled());

    dialog.ColorBox1->showPopup();

    QAbstractItemView *const list = dialog.ColorBox1->view();
    ASSERT_TRUE(list->isVisible());
    const int rowHeight = list->sizeHintForRow(0);
    ASSERT_GT(rowHeight, 0);
    EXPECT_LE(list->window()->height(), 17 * rowHeight) << "rows " << rowHeight;
    const int lastShownRow = list->indexAt(QPoint(1, list->viewport()->height() - 1)).row();
    EXPECT_GE(lastShownRow, 9) << "still a list worth scrolling";
    EXPECT_LE(lastShownRow, 15) << "sixteen colours at most";
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    dialog.ColorBox1->hidePopup();
}

// The colour list offers named colours by their stored numbers; a stored colour it does not
// offer selects nothing and is kept by Apply.
TEST_F(SettingsDialogTest, TheColourListMapsStoredNumbers)
{
    struct Case {
        int stored;
        QString shown; // empty: nothing selected
    };
    const Case cases[] = {
        {0x000000, QStringLiteral("Black")},
        {0xFFFFFF, QStringLiteral("White")},
        {0xC0DCC0, QStringLiteral("MoneyGreen")},
        {static_cast<int>(0xFF00000F), QStringLiteral("BtnFace")},
        {static_cast<int>(0xFF000008), QStringLiteral("WindowText")},
        {0x123456, QString()},
    };
    for (const Case &c : cases) {
        harness.shared.AppSettings.FontColorForSkin = c.stored;
        dialog.MenuSetttingsClick();
        EXPECT_EQ(dialog.ColorBox1->currentText(), c.shown) << c.stored;
        EXPECT_EQ(dialog.SelectedColor, c.stored);
    }
    EXPECT_EQ(dialog.ColorBox1->count(), 50);
    EXPECT_FALSE(dialog.ColorBox1->itemIcon(0).isNull()) << "each colour has its swatch";

    changeAsTheUser(dialog.ColorBox1,
                    QString::number(dialog.ColorBox1->findText(QStringLiteral("Teal"))));
    EXPECT_EQ(dialog.SelectedColor, 0x808000);
}

// The links open their sites, the data line crediting the forecast's source; the pages and
// plain labels move the dialog, the edits do not.
TEST_F(SettingsDialogTest, LinksOpenTheirSitesAndThePagesMoveTheDialog)
{
    harness.shared.AppSettings.AutoCheckVer = true;
    harness.shared.AppSettings.ForecastSource = forecast_source::OpenMeteo;
    dialog.MenuSetttingsClick();
    EXPECT_EQ(dialog.Name2->text(), QStringLiteral("Данные предоставлены сервисом"));
    EXPECT_EQ(dialog.web->text(), QStringLiteral("Open-Meteo.com"));
    for (LinkLabel *link : {dialog.web, dialog.WebSite, dialog.downloadLB})
        clickOn(link);
    EXPECT_EQ(harness.platform.openedAddresses,
              (QStringList{harness.service.siteOf(forecast_source::OpenMeteo),
                           harness.service.programSite, harness.service.programSite}));

    dialog.PageControl->setCurrentWidget(dialog.TabSheet1);
    const QPoint start = dialog.pos();
    const QPoint grip(5, 5);
    const QPointF global = dialog.OtherText1->mapToGlobal(grip);
    QMouseEvent press(QEvent::MouseButtonPress, grip, global, Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(dialog.OtherText1, &press);
    QMouseEvent moveBy(QEvent::MouseMove, grip + QPoint(30, 20), global + QPoint(30, 20),
                       Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(dialog.OtherText1, &moveBy);
    QMouseEvent release(QEvent::MouseButtonRelease, grip, global + QPoint(30, 20), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(dialog.OtherText1, &release);
    EXPECT_EQ(dialog.pos(), start + QPoint(30, 20));

    dialog.PageControl->setCurrentWidget(dialog.TabSheet3);
    clickOn(dialog.ProxyHost);
    QMouseEvent overTheEdit(QEvent::MouseMove, QPointF(40, 10),
                            dialog.ProxyHost->mapToGlobal(QPointF(40, 10)), Qt::NoButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dialog.ProxyHost, &overTheEdit);
    EXPECT_EQ(dialog.pos(), start + QPoint(30, 20));
}

// The dialog first comes up centred over the widget, moved only as far as it takes to be whole
// on the screen; later showings leave it where it is.
TEST_F(SettingsDialogTest, FirstShownCentredOverTheWidgetAndWholeOnTheScreen)
{
    const QRect screen = harness.form->screen()->availableGeometry();
    harness.form->resize(520, 150);
    harness.form->move(screen.center() - QPoint(260, 75));
    dialog.MenuSetttingsClick();
    // Up to the frame, which the window system adds when the dialog is shown.
    const QPoint offCentre =
        dialog.frameGeometry().center() - harness.form->frameGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 4);

    for (const QPoint corner : {screen.topLeft(), screen.bottomRight() - QPoint(519, 149)}) {
        TForm2 fresh(harness.context, *harness.form);
        harness.form->move(corner);
        fresh.MenuSetttingsClick();
        // Whole but for the frame, which the window system adds once the dialog is shown.
        EXPECT_TRUE(screen.adjusted(-4, -4, 4, 4).contains(fresh.geometry()))
            << fresh.geometry().x() << "," << fresh.geometry().y();
    }

    dialog.move(dialog.pos() + QPoint(7, 9));
    const QPoint left = dialog.pos();
    dialog.CancelButton->click();
    dialog.MenuSetttingsClick();
    EXPECT_EQ(dialog.pos(), left);
}

TEST(DialogTexts, APortIsADecimalIntegerOfThirtyTwoBits)
{
    const std::pair<QString, std::optional<int>> cases[] = {
        {QStringLiteral("3128"), 3128},
        {QStringLiteral("+80"), 80},
        {QStringLiteral("-1"), -1},
        {QStringLiteral("  8080"), 8080},
        {QStringLiteral("2147483647"), 2147483647},
        {QStringLiteral("2147483648"), std::nullopt},
        {QStringLiteral("8080 "), std::nullopt},
        {QStringLiteral(""), std::nullopt},
        {QStringLiteral("0x50"), std::nullopt},
        {QStringLiteral("٨٠"), std::nullopt}, // Arabic-Indic digits
    };
    for (const auto &[text, value] : cases) {
        try {
            EXPECT_EQ(integerValueOf(text), value) << text.toStdString();
        } catch (const AppError &error) {
            EXPECT_FALSE(value) << text.toStdString();
            EXPECT_EQ(error.text(), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

// "Настройки" in the widget's menu and in the tray menu both open the dialog.
TEST(SettingsMenu, BothMenusOpenTheDialog)
{
    test::TestPlatform platform;
    platform.writeDataFile(SettingsFileName,
                           test::installedDataFile(QStringLiteral("Tervalo.ini")));
    platform.writeDataFile(TownDirectoryFileName, Directory);
    const ForecastService service;
    Application program(platform, service);
    program.start();
    ASSERT_FALSE(program.form2()->isVisible());
    program.form1()->MenuSetttings->run();
    EXPECT_TRUE(program.form2()->isVisible());
    EXPECT_EQ(program.form2()->PageControl->currentWidget(), program.form2()->TabSheet5);
    program.form2()->PageControl->setCurrentWidget(program.form2()->TabSheet3);
    program.form2()->CancelButton->click();
    program.form1()->N3->run();
    EXPECT_TRUE(program.form2()->isVisible());
    EXPECT_EQ(program.form2()->PageControl->currentWidget(), program.form2()->TabSheet3)
        << "the page last chosen";
    EXPECT_EQ(program.form2()->CityNameComboBox->count(), 6);
}

} // namespace
} // namespace tervalo
