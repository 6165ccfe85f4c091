// SPDX-License-Identifier: MIT
#include "settings/DataFiles.h"
#include "support/Files.h"
#include "support/IsolatedProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

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

class ProcessEndTest : public ::testing::Test {
protected:
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

} // namespace
} // namespace tervalo
