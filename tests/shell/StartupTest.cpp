// SPDX-License-Identifier: MIT
#include "forecast/ForecastService.h"
#include "settings/DataFiles.h"
#include "settings/Settings.h"
#include "shell/Application.h"
#include "shell/Main.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"
#include "support/TestPlatform.h"
#include "support/WidgetHarness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/file.h>

#include <atomic>
#include <thread>

namespace tervalo {
namespace {

QByteArray installedFile(const char *name)
{
    return test::installedDataFile(QLatin1String(name));
}

const MessageBox ConfigurationMissing{
    QStringLiteral("Конфигурационные файлы не найдены. Необходимо переустановить приложение."),
    QStringLiteral("Error"), MessageIcon::Error};
const MessageBox UnsupportedSystem{
    QStringLiteral("Данная версия операционной системы не поддерживается приложением "),
    QStringLiteral("Ошибка запуска"), MessageIcon::Information};
// The general error report of the town list's failed load; %1 is the directory's path.
const MessageBox TownListError{
    QStringLiteral("The file \"%1\" cannot be read: No such file or directory."),
    QStringLiteral("tervalo"), MessageIcon::Error};

class StartupTest : public ::testing::Test {
protected:
    // The data files of an account that has its own settings and the installed town directory.
    static void giveDataFiles(test::TestPlatform &platform, const QByteArray &settings)
    {
        platform.writeDataFile(SettingsFileName, settings);
        platform.writeDataFile(TownDirectoryFileName, installedFile("cities.xml"));
    }
    void installDataFiles(bool settingsFile = true, bool townDirectory = true)
    {
        if (settingsFile)
            platform.writeDataFile(SettingsFileName, settings);
        if (townDirectory)
            platform.writeDataFile(TownDirectoryFileName, installedFile("cities.xml"));
    }
    QByteArray storedSettings() const { return storedSettingsOf(platform); }
    static QByteArray storedSettingsOf(const test::TestPlatform &platform)
    {
        return platform.readDataFile(SettingsFileName);
    }

    test::TestPlatform platform;
    ForecastService service; // unreachable: the probe is answered by the platform double
    Application program{platform, service};
    QByteArray settings = installedFile("Tervalo.ini");
};

TEST_F(StartupTest, StartsWithTheStoredSettingsAndSavesThemUnchangedAtTheEnd)
{
    test::LoopbackForecastService forecasts;
    ASSERT_TRUE(forecasts.isRunning());
    const ForecastService endpoints = forecasts.endpoints();
    Application online(platform, endpoints);
    platform.online = true;
    settings.replace("CityNameSave=Москва", "CityNameSave=Киров");
    settings.replace("ValueTop=40", "ValueTop=120");
    installDataFiles();
    online.start();

    const SharedState &shared = online.shared();
    EXPECT_EQ(shared.UserName, QStringLiteral("tester"));
    EXPECT_EQ(shared.DataFolder, platform.dataFolder());
    EXPECT_TRUE(shared.DataFolder.endsWith(QStringLiteral("/.config/Orvek/")));
    EXPECT_TRUE(platform.messages.empty());
    TForm1 &form = *online.form1();
    EXPECT_EQ(form.CityNameLabel->text(), QStringLiteral("Киров"));
    EXPECT_EQ(form.geometry(), QRect(40, 120, 520, 235));
    EXPECT_TRUE(form.AddPanel->isChecked()) << "stored 0: the panel is shown";
    EXPECT_EQ(form.TemLabel->text(), QStringLiteral("-2°")) << "the first update ran";
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(shared.AppSettings.CityID, QStringLiteral("27612"));
    EXPECT_FALSE(form.startRefused());
    EXPECT_FALSE(online.endRequested());
    EXPECT_EQ(online.form2()->CityNameComboBox->itemText(0),
              QStringLiteral("Москва, Россия - 27612"));
    EXPECT_GE(online.form2()->CityNameComboBox->count(), 150);

    online.finish();
    EXPECT_EQ(storedSettings(), settings);
}

// What the widget shows at one moment of its start.
struct Face {
    bool visible = false;
    QPoint place;
    QStringList shownLabels; // "name: text" of every label on the screen
    QStringList shownPictures;
};

// Whether a control can be seen: inside the window and not under a picture drawn after it.
bool isSeen(const TForm1 &form, const QWidget &control)
{
    if (!control.isVisible() || !form.rect().intersects(control.geometry()))
        return false;
    const QObjectList &controls = form.children();
    for (qsizetype above = controls.indexOf(&control) + 1; above < controls.size(); ++above) {
        const auto *picture = dynamic_cast<const TImage *>(controls[above]);
        if (picture && picture->isVisible() && !picture->isEmpty() &&
            picture->geometry().contains(control.geometry()))
            return false;
    }
    return true;
}

Face faceOf(const TForm1 &form)
{
    Face face{form.isVisible(), form.pos(), {}, {}};
    // The controls declare no meta-object of their own, so they are told apart by their type.
    for (const QObject *child : form.children()) {
        const auto *label = dynamic_cast<const TLabel *>(child);
        if (label && isSeen(form, *label))
            face.shownLabels << label->objectName() + QStringLiteral(": ") + label->text();
        const auto *picture = dynamic_cast<const TImage *>(child);
        if (picture && !picture->isEmpty() && isSeen(form, *picture))
            face.shownPictures << picture->objectName() + QStringLiteral(": ") +
                                      picture->pictureName();
    }
    face.shownLabels.sort();
    face.shownPictures.sort();
    return face;
}

// However long the service takes, the clock is on the screen from the start: while the first
// probe waits, the window already stands at its stored place with the chosen skin's clock face
// showing the current time (12:00 on the test's clock) and the date, and no design text.
TEST_F(StartupTest, TheClockIsShownBeforeTheFirstNetworkCall)
{
    struct Case {
        const char *skin;
        QStringList labels;
        QStringList pictures;
    };
    const QString date = QStringLiteral("DateLabel: среда, 1 января ");
    const Case cases[] = {
        {"0", {date}, {"Hours: clock12", "MainBackground: CLASSIKM", "Minutes: clock0"}},
        {"1", {date, "ModernClock: 12:00:00"}, {"MainBackground: MODERNM"}},
        {"2", {"CityNameLabel: Москва", date, "ModernClock: 12:00"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string("skin ") + c.skin);
        test::TestPlatform platform;
        QByteArray stored = settings;
        stored.replace("CurrentMode=0", QByteArray("CurrentMode=") + c.skin);
        stored.replace("ValueTop=40", "ValueTop=120");
        giveDataFiles(platform, stored);
        Application program(platform, service);
        // The first probe answers only once the face it waits behind has been looked at.
        std::optional<Face> duringTheFirstProbe;
        std::atomic<bool> looked = false;
        platform.onProbe = [&] {
            for (int i = 0; i < 500 && !looked; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        };
        QTimer::singleShot(0, [&] {
            if (!duringTheFirstProbe)
                duringTheFirstProbe = faceOf(*program.form1());
            looked = true;
        });
        program.start();
        ASSERT_TRUE(duringTheFirstProbe.has_value()) << "no network call waited";
        EXPECT_TRUE(duringTheFirstProbe->visible);
        EXPECT_EQ(duringTheFirstProbe->place, QPoint(40, 120));
        QStringList labels = c.labels;
        labels.sort();
        EXPECT_EQ(duringTheFirstProbe->shownLabels, labels);
        EXPECT_EQ(duringTheFirstProbe->shownPictures, c.pictures);
    }
}

// A write killed between writing its temporary and putting it in place leaves the temporary
// behind: the settings' save, the first start's copy of a data file, the autostart entry. The
// next start removes such files, and only those.
TEST_F(StartupTest, TheStartRemovesTheLeftoversOfInterruptedWrites)
{
    installDataFiles();
    struct Entry {
        const char *name; // in the data folder, or in the autostart folder beside it
        bool leftover;
    };
    const Entry entries[] = {
        {"Tervalo.ini.a1B2c3", true},
        {"Tervalo.ini.ZZZZZZ", true},
        {"Tervalo.ini.a1B2c", false},
        {"Tervalo.ini.a1B2c3d", false},
        {"Tervalo.ini.a1-2c3", false},
        {"Tervalo.ini.bak", false},
        {"tervalo.ini.a1B2c3", false},
        {"cities.xml.a1B2c3", true},
        {"cities.xml.bak", false},
        {"Tervalo.ini.a1B2c3.old", false},
        {"x.Tervalo.ini.a1B2c3", false},
        {"../autostart/tervalo.desktop.a1B2c3", true},
        {"../autostart/tervalo.desktop.a1B2", false},
        {"../autostart/other.desktop.a1B2c3", false},
    };
    QDir().mkpath(platform.dataFolder() + QStringLiteral("../autostart"));
    for (const Entry &entry : entries)
        platform.writeDataFile(QLatin1String(entry.name), "kept unless a leftover\n");
    QDir(platform.dataFolder()).mkdir(QStringLiteral("Tervalo.ini.Folder"));
    QFile::link(platform.dataFolder() + QStringLiteral("cities.xml"),
                platform.dataFolder() + QStringLiteral("Tervalo.ini.Link12"));
    // Another instance's save in progress holds a lock on its temporary.
    QFile busy(platform.dataFolder() + QStringLiteral("Tervalo.ini.Busy12"));
    ASSERT_TRUE(busy.open(QIODevice::WriteOnly));
    ASSERT_EQ(::flock(busy.handle(), LOCK_EX), 0);

    program.start();

    for (const Entry &entry : entries) {
        SCOPED_TRACE(entry.name);
        EXPECT_NE(QFileInfo::exists(platform.dataFolder() + QLatin1String(entry.name)),
                  entry.leftover);
    }
    EXPECT_TRUE(QFileInfo(platform.dataFolder() + QStringLiteral("Tervalo.ini.Folder")).isDir());
    EXPECT_TRUE(
        QFileInfo(platform.dataFolder() + QStringLiteral("Tervalo.ini.Link12")).isSymLink());
    EXPECT_TRUE(busy.exists()) << "a save in progress keeps its temporary";
    EXPECT_EQ(platform.readDataFile(TownDirectoryFileName), installedFile("cities.xml"));
    EXPECT_EQ(storedSettings(), settings);
}

TEST_F(StartupTest, ExitFromEitherMenuSavesAndRequestsTheEnd)
{
    for (const char *exitItem : {"CloseProg", "N2"}) {
        SCOPED_TRACE(exitItem);
        test::TestPlatform platform;
        giveDataFiles(platform, settings);
        Application program(platform, service);
        program.start();
        TForm1 &form = *program.form1();
        form.move(300, 200);
        form.findChild<MenuItem *>(QLatin1String(exitItem))->run();
        EXPECT_TRUE(program.endRequested());
        EXPECT_TRUE(platform.readDataFile(SettingsFileName).contains("ValueTop=200\n"));
        EXPECT_TRUE(platform.readDataFile(SettingsFileName).contains("ValueLeft=300\n"));
    }
}

TEST_F(StartupTest, MissingDataFilesRefuseTheStartAndLeaveTheSettingsUntouched)
{
    struct Case {
        const char *what;
        bool settingsFile;
        bool townDirectory;
        std::vector<MessageBox> messages;
    };
    const Case cases[] = {
        {"no settings file", false, true, {ConfigurationMissing}},
        {"no town directory", true, false, {ConfigurationMissing, TownListError}},
        {"neither", false, false, {ConfigurationMissing, TownListError}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        test::TestPlatform platform;
        if (c.settingsFile)
            platform.writeDataFile(SettingsFileName, settings);
        if (c.townDirectory)
            platform.writeDataFile(TownDirectoryFileName, installedFile("cities.xml"));
        {
            Application program(platform, service);
            program.start();
            EXPECT_TRUE(program.form1()->startRefused());
            EXPECT_TRUE(program.endRequested());
            EXPECT_FALSE(program.form1()->AutoUpdate->isEnabled());
            EXPECT_EQ(program.form1()->CityNameLabel->text(), QStringLiteral("Москва"))
                << "the settings are not read";
        }
        for (size_t i = 0; i < std::max(platform.messages.size(), c.messages.size()); ++i) {
            ASSERT_LT(i, platform.messages.size());
            ASSERT_LT(i, c.messages.size());
            const QString expected =
                c.messages[i].text.arg(platform.dataFolder() + TownDirectoryFileName);
            EXPECT_EQ(platform.messages[i].text, expected);
            EXPECT_EQ(platform.messages[i].caption, c.messages[i].caption);
            EXPECT_EQ(platform.messages[i].icon, c.messages[i].icon);
        }
        EXPECT_EQ(platform.readDataFile(SettingsFileName),
                  c.settingsFile ? settings : QByteArray());
    }
}

// An account that never ran the installer gets the defaults installed beside the program;
// nothing the account has is overwritten.
TEST_F(StartupTest, MissingDataFilesAreCopiedFromTheInstalledDefaults)
{
    QByteArray ownSettings = settings;
    ownSettings.replace("CityNameSave=Москва", "CityNameSave=Киров");
    const QByteArray defaultTowns = installedFile("cities.xml");
    struct Case {
        const char *what;
        bool dataFolder;
        bool ownSettingsFile;
    };
    for (const Case &c :
         {Case{"no data folder at all", false, false}, Case{"an empty data folder", true, false},
          Case{"settings of its own", true, true}}) {
        SCOPED_TRACE(c.what);
        test::TestPlatform platform;
        platform.installDefault(SettingsFileName, settings);
        platform.installDefault(TownDirectoryFileName, defaultTowns);
        if (!c.dataFolder)
            QDir(platform.dataFolder()).removeRecursively();
        if (c.ownSettingsFile)
            platform.writeDataFile(SettingsFileName, ownSettings);
        Application program(platform, service);
        program.start();
        EXPECT_FALSE(program.form1()->startRefused());
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(storedSettingsOf(platform), c.ownSettingsFile ? ownSettings : settings);
        EXPECT_EQ(platform.readDataFile(TownDirectoryFileName), defaultTowns);
        const QFile::Permissions others =
            QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        EXPECT_FALSE(QFileInfo(platform.dataFolder() + TownDirectoryFileName).permissions() &
                     others)
            << "a copy is private to the account";
        EXPECT_EQ(program.form1()->CityNameLabel->text(),
                  QString::fromUtf8(c.ownSettingsFile ? "Киров" : "Москва"));
    }
}

// Without a notification area the icon could not be seen, so the taskbar button stays.
TEST_F(StartupTest, TheTrayIconReplacesTheTaskbarButtonOnlyWhereItCanBeShown)
{
    settings.replace("[IconStatus]\nChecked=0", "[IconStatus]\nChecked=1");
    for (const bool notificationArea : {true, false}) {
        SCOPED_TRACE(notificationArea ? "a notification area" : "none");
        test::TestPlatform platform;
        platform.notificationArea = notificationArea;
        giveDataFiles(platform, settings);
        Application program(platform, service);
        program.start();
        ASSERT_TRUE(program.shared().AppSettings.IconStatus);
        program.form1()->show();
        EXPECT_EQ(program.form1()->windowFlags().testFlag(Qt::Tool), notificationArea);
        EXPECT_TRUE(program.form1()->TrayIcon1->isVisible());
    }
}

TEST_F(StartupTest, AnUnsupportedSystemIsRefusedAfterTheRestOfTheStartUp)
{
    for (const std::optional<int> version : {std::optional<int>(5), std::optional<int>()}) {
        SCOPED_TRACE(version ? "version 5" : "the version cannot be told");
        test::TestPlatform platform;
        platform.osVersion = version;
        giveDataFiles(platform, settings);
        {
            Application program(platform, service);
            program.start();
            TForm1 &form = *program.form1();
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0], UnsupportedSystem);
            EXPECT_TRUE(program.endRequested());
            EXPECT_EQ(form.pos(), QPoint(40, 40)) << "the settings were still read";
            form.move(700, 700);
        }
        EXPECT_EQ(platform.readDataFile(SettingsFileName), settings);
    }
}

TEST(OSCheck, ARefusalStopsTheFlipClockAndTheUpdatesOnly)
{
    test::WidgetHarness harness;
    harness.platform.osVersion = 5;
    harness.form->OSCheck();
    EXPECT_FALSE(harness.form->Clock->isEnabled());
    EXPECT_FALSE(harness.form->AutoUpdate->isEnabled());
    EXPECT_TRUE(harness.form->TimerModern->isEnabled());
    EXPECT_TRUE(harness.form->AutoCheckInet->isEnabled());
    EXPECT_TRUE(harness.end.isRequested());
}

TEST_F(StartupTest, BothRefusalsShowTheirMessagesInOrder)
{
    platform.osVersion = 5;
    program.start();
    ASSERT_GE(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0], UnsupportedSystem);
    EXPECT_EQ(platform.messages[1], ConfigurationMissing);
}

} // namespace
} // namespace tervalo
