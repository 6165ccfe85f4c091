// SPDX-License-Identifier: MIT
#include "settings/DataFiles.h"
#include "support/Files.h"
#include "support/IsolatedProgram.h"
#include "support/Processes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

QByteArray installedFile(const char *name)
{
    return test::installedDataFile(QLatin1String(name));
}

QStringList environmentWithout(const QStringList &names)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : names)
        environment.remove(name);
    return environment.toStringList();
}

const QStringList OffscreenArguments{QStringLiteral("-platform"), QStringLiteral("offscreen")};

class ProcessEndTest : public ::testing::Test {
protected:
    // Data files whose settings a save would change: a hexadecimal interval comes back decimal.
    void giveDataFiles(const test::IsolatedProgram &instance) const
    {
        instance.writeDataFile(SettingsFileName, unsavedSettings());
        instance.writeDataFile(TownDirectoryFileName, installedFile("cities.xml"));
    }
    static QByteArray unsavedSettings()
    {
        return installedFile("Tervalo.ini").replace("Interval=3", "Interval=0x3");
    }
    static void start(test::IsolatedProgram &instance)
    {
        instance.start(OffscreenArguments, environmentWithout({QStringLiteral("QT_QPA_PLATFORM")}));
    }

    void SetUp() override
    {
        if (const std::optional<QString> reason = test::IsolatedProgram::unavailableReason())
            GTEST_SKIP() << "the real executable is not started: " << reason->toStdString();
    }
    test::IsolatedProgram program;
};

TEST_F(ProcessEndTest, SigtermEndsTheProgramInOrderAndSavesTheSettings)
{
    // A hexadecimal interval is written back as decimal, which shows that the save ran.
    // No network here: the widget shows the clock-only face, whose size is stored.
    QByteArray stored = installedFile("Tervalo.ini");
    stored.replace("ValueHeight=235", "ValueHeight=170")
        .replace("ValueWidth=520", "ValueWidth=500");
    QByteArray settings = stored;
    settings.replace("Interval=3", "Interval=0x3");
    program.writeDataFile(SettingsFileName, settings);
    program.writeDataFile(TownDirectoryFileName, installedFile("cities.xml"));

    program.start({QStringLiteral("-platform"), QStringLiteral("offscreen")},
                  environmentWithout({QStringLiteral("QT_QPA_PLATFORM")}));
    ASSERT_TRUE(program.waitUntilRunning(20000))
        << program.process().readAllStandardError().toStdString();
    ASSERT_TRUE(program.terminate(20000));

    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process().exitCode(), 0)
        << program.process().readAllStandardError().toStdString();
    EXPECT_EQ(program.readDataFile(SettingsFileName), stored);
    EXPECT_EQ(QFileInfo(program.dataFolder() + SettingsFileName).permissions() &
                  (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              0);
}

// A desktop ends a program a few seconds after asking it to, so an end during a long download
// cannot wait for the transfer: the download stops, the settings are saved as they were read
// (the forecast panel's mark included), within a second.
TEST_F(ProcessEndTest, SigtermDuringALongDownloadEndsWithinASecondAndSaves)
{
    program.serveTheServicesOnLoopback();
    QByteArray stored = installedFile("Tervalo.ini");
    stored.replace("CityIDSave=27612", "CityIDSave=long")
        .replace("[ForecastSource]\nSource=1", "[ForecastSource]\nSource=0");
    QByteArray settings = stored;
    settings.replace("Interval=3", "Interval=0x3"); // a save writes it back decimal
    program.writeDataFile(SettingsFileName, settings);
    program.writeDataFile(TownDirectoryFileName, installedFile("cities.xml"));
    start(program);
    ASSERT_TRUE(test::waitFor(
        [&] { return test::readFileBytes(program.serviceRequestLog()).contains("long.xml"); },
        20000))
        << "the forecast was not asked for";
    QThread::msleep(2000);

    QElapsedTimer sinceTheSignal;
    sinceTheSignal.start();
    ASSERT_TRUE(program.terminate(20000));
    EXPECT_LT(sinceTheSignal.elapsed(), 1000);
    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process().exitCode(), 0)
        << program.process().readAllStandardError().toStdString();
    EXPECT_EQ(program.readDataFile(SettingsFileName), stored);
}

// Nobody may be there to answer a box at a signal's end (a logout, a service manager), so
// a final save that fails is told on stderr and the program still ends.
TEST_F(ProcessEndTest, SigtermWithAFailingSaveSaysSoOnStderrAndEnds)
{
    QByteArray settings = installedFile("Tervalo.ini");
    settings.replace("Interval=3", "Interval=0x3"); // a save would rewrite it
    program.writeDataFile(SettingsFileName, settings);
    program.writeDataFile(TownDirectoryFileName, installedFile("cities.xml"));
    program.makeDataFolderReadOnly();

    program.start({QStringLiteral("-platform"), QStringLiteral("offscreen")},
                  environmentWithout({QStringLiteral("QT_QPA_PLATFORM")}));
    ASSERT_TRUE(program.waitUntilRunning(20000))
        << program.process().readAllStandardError().toStdString();
    ASSERT_TRUE(program.terminate(5000)) << "the program waits for someone to read a box";

    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    const QString expected = QStringLiteral("tervalo: Unable to write to %1.")
                                 .arg(dataFolderIn(QStringLiteral("/root")) + SettingsFileName);
    const QStringList errorLines =
        QString::fromLocal8Bit(program.process().readAllStandardError()).split(QLatin1Char('\n'));
    EXPECT_TRUE(errorLines.contains(expected)) << errorLines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(program.readDataFile(SettingsFileName), settings);
}

TEST_F(ProcessEndTest, WithoutADisplayTheProgramSaysSoAndEnds)
{
    program.writeDataFile(SettingsFileName, installedFile("Tervalo.ini"));
    program.start({},
                  environmentWithout({QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                      QStringLiteral("QT_QPA_PLATFORM")}));
    ASSERT_TRUE(program.process().waitForFinished(20000));
    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    EXPECT_NE(program.process().exitCode(), 0);
    EXPECT_TRUE(program.process().readAllStandardError().contains("no X display"));
    EXPECT_EQ(program.readDataFile(SettingsFileName), installedFile("Tervalo.ini"));
}

// An account that never ran the installer's step: the program, installed with its defaults,
// gives the account its data files on the first start.
TEST_F(ProcessEndTest, TheFirstStartOfAnAccountTakesTheInstalledDefaults)
{
    QDir(program.dataFolder()).removeRecursively();
    program.runTheInstalledProgram();
    program.start({QStringLiteral("-platform"), QStringLiteral("offscreen")},
                  environmentWithout({QStringLiteral("QT_QPA_PLATFORM")}));
    ASSERT_TRUE(program.waitUntilRunning(20000))
        << program.process().readAllStandardError().toStdString();
    ASSERT_TRUE(program.terminate(20000));
    EXPECT_EQ(program.process().exitCode(), 0)
        << program.process().readAllStandardError().toStdString();
    EXPECT_EQ(program.readDataFile(TownDirectoryFileName), installedFile("cities.xml"));
    EXPECT_TRUE(program.readDataFile(SettingsFileName).contains("CityIDSave=27612\n"));
}

// A second instance of the account waits for the first to end; one that keeps running keeps the
// data folder to itself, and the second says so and ends without a box.
TEST_F(ProcessEndTest, ASecondInstanceWhileTheFirstRunsSaysSoAndEnds)
{
    giveDataFiles(program);
    start(program);
    ASSERT_TRUE(program.waitUntilRunning(20000))
        << program.process().readAllStandardError().toStdString();
    test::IsolatedProgram second;
    second.shareHomeWith(program);
    start(second);
    ASSERT_TRUE(second.process().waitForFinished(30000));

    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_NE(second.process().exitCode(), 0);
    const QStringList errorLines =
        QString::fromLocal8Bit(second.process().readAllStandardError()).split(QLatin1Char('\n'));
    EXPECT_TRUE(
        errorLines.contains(QStringLiteral("tervalo: another instance of the program is running.")))
        << errorLines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(program.readDataFile(SettingsFileName), unsavedSettings());
    EXPECT_FALSE(program.process().waitForFinished(100)) << "the first one still runs";
}

// The restart of Apply: the new instance comes up while the old one is ending.
TEST_F(ProcessEndTest, AnInstanceStartedWhileTheOldOneEndsRunsAfterIt)
{
    giveDataFiles(program);
    start(program);
    ASSERT_TRUE(program.waitUntilRunning(20000))
        << program.process().readAllStandardError().toStdString();
    test::IsolatedProgram newer;
    newer.shareHomeWith(program);
    start(newer);
    QThread::msleep(1000);
    ASSERT_TRUE(program.terminate(20000));
    EXPECT_EQ(program.process().exitCode(), 0);

    EXPECT_TRUE(newer.waitUntilRunning(20000))
        << newer.process().readAllStandardError().toStdString();
    ASSERT_TRUE(newer.terminate(20000));
    EXPECT_EQ(newer.process().exitCode(), 0)
        << newer.process().readAllStandardError().toStdString();
}

// A killed instance leaves its lock file behind; it stops nobody.
TEST_F(ProcessEndTest, TheLockOfAKilledInstanceDoesNotBlockTheNextStart)
{
    giveDataFiles(program);
    start(program);
    ASSERT_TRUE(program.waitUntilRunning(20000))
        << program.process().readAllStandardError().toStdString();
    ASSERT_TRUE(test::waitFor(
        [&] { return QFileInfo::exists(program.dataFolder() + InstanceLockFileName); }));
    program.process().kill();
    ASSERT_TRUE(program.process().waitForFinished(5000));

    test::IsolatedProgram next;
    next.shareHomeWith(program);
    start(next);
    EXPECT_TRUE(next.waitUntilRunning(20000))
        << next.process().readAllStandardError().toStdString();
    ASSERT_TRUE(next.terminate(20000));
    EXPECT_EQ(next.process().exitCode(), 0) << next.process().readAllStandardError().toStdString();
}

// A power cut soon after a start leaves an empty lock file, and a home copied from another
// machine brings that host's lock along; neither keeps the program from starting.
TEST_F(ProcessEndTest, ALockFileThatNamesNoInstanceHereDoesNotBlockTheStart)
{
    const std::pair<const char *, QByteArray> lockFiles[] = {
        {"empty", ""},
        {"written on another host", "4242\ntervalo\nanother-host.example\n"},
    };
    for (const auto &[name, contents] : lockFiles) {
        SCOPED_TRACE(name);
        test::IsolatedProgram instance;
        giveDataFiles(instance);
        instance.writeDataFile(InstanceLockFileName, contents);
        start(instance);
        EXPECT_TRUE(instance.waitUntilRunning(20000))
            << instance.process().readAllStandardError().toStdString();
        ASSERT_TRUE(instance.terminate(20000));
        EXPECT_EQ(instance.process().exitCode(), 0)
            << instance.process().readAllStandardError().toStdString();
    }
}

} // namespace
} // namespace tervalo
