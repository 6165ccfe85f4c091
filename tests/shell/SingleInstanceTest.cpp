// SPDX-License-Identifier: MIT
#include "forecast/ForecastService.h"
#include "platform/LinuxPlatform.h"
#include "settings/DataFiles.h"
#include "shell/Application.h"
#include "shell/Main.h"
#include "support/Files.h"
#include "support/TestPlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tervalo {
namespace {

using namespace std::chrono_literals;

// Two programs of one account on one test platform: they share the data folder and contend
// for its instance lock as two processes would.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform.writeDataFile(SettingsFileName, settings);
        platform.writeDataFile(TownDirectoryFileName,
                               test::installedDataFile(TownDirectoryFileName));
    }

    test::TestPlatform platform;
    ForecastService service; // unreachable: the probe is answered by the platform double
    QByteArray settings = test::installedDataFile(SettingsFileName);
};

TEST_F(SingleInstanceTest, ASecondProgramWhileTheFirstRunsIsRefusedAfterTheWaitAndWritesNothing)
{
    Application first(platform, service);
    first.start();
    ASSERT_FALSE(first.form1()->startRefused());
    // What a save of the first program in progress looks like; a start would tidy it away.
    const QString saveInProgress =
        platform.dataFolder() + SettingsFileName + QStringLiteral(".a1B2c3");
    test::writeFileBytes(saveInProgress, "being written\n");
    const int replacementsBefore = platform.fileStore.replacements();
    // A file that a start would read, and report in a box when it cannot.
    QFile::remove(platform.dataFolder() + TownDirectoryFileName);

    QElapsedTimer waited;
    waited.start();
    {
        Application second(platform, service);
        second.start();
        EXPECT_GE(waited.elapsed(), platform.instanceLockWait.count());
        ASSERT_TRUE(platform.programsInstanceWait);
        EXPECT_EQ(platform.programsInstanceWait->forRunning, 5s) << "a copy started by hand";
        EXPECT_GT(platform.programsInstanceWait->forEnding,
                  service.limits.transferTimeout + service.probeTimeout)
            << "an ending instance may be in its longest network wait";
        EXPECT_TRUE(second.form1()->startRefused());
        EXPECT_FALSE(second.form1()->AutoUpdate->isEnabled());
        EXPECT_FALSE(second.form1()->AutoCheckInet->isEnabled());
        EXPECT_TRUE(platform.messages.empty()) << "nobody may be there to close a box";
        EXPECT_NE(second.run(), 0) << "the caller learns that the program did not run";
        EXPECT_FALSE(second.form1()->isVisible()) << "it leaves without a window";
    }

    EXPECT_EQ(platform.fileStore.replacements(), replacementsBefore);
    EXPECT_EQ(platform.readDataFile(SettingsFileName), settings);
    EXPECT_TRUE(QFileInfo::exists(saveInProgress));
    EXPECT_FALSE(first.form1()->startRefused());
    EXPECT_FALSE(first.endRequested());
}

TEST_F(SingleInstanceTest, AProgramStartedAfterTheFirstEndedRuns)
{
    {
        Application first(platform, service);
        first.start();
        first.finish();
    }
    Application second(platform, service);
    second.start();
    EXPECT_FALSE(second.form1()->startRefused());
    EXPECT_FALSE(second.endRequested());
}

// The settings dialog's Apply starts the new program and then saves; the new one reads what
// the old one saved on its way out, however late that comes within the wait.
TEST_F(SingleInstanceTest, AnOlderProgramEndingDuringTheWaitHandsOverTheSettingsItSaved)
{
    platform.instanceLockWait = 10s;
    std::unique_ptr<InstanceLock> older =
        lockInstanceWithFile(platform.dataFolder() + InstanceLockFileName, {0ms, 0ms});
    ASSERT_TRUE(older);
    QByteArray savedOnTheWayOut = settings;
    savedOnTheWayOut.replace("CityNameSave=Москва", "CityNameSave=Киров");
    std::thread olderEnds([&] {
        std::this_thread::sleep_for(500ms);
        test::writeFileBytes(platform.dataFolder() + SettingsFileName, savedOnTheWayOut);
        older.reset();
    });

    Application newer(platform, service);
    newer.start();
    olderEnds.join();

    EXPECT_FALSE(newer.form1()->startRefused());
    EXPECT_FALSE(newer.endRequested());
    EXPECT_EQ(newer.form1()->CityNameLabel->text(), QStringLiteral("Киров"));
}

// Apply's old instance marks its lock as it ends; the new one waits for it past the wait for a
// copy that keeps running, but not for ever.
TEST_F(SingleInstanceTest, AnOlderProgramThatSaysItIsEndingIsWaitedForUntilItEnds)
{
    platform.endingInstanceLockWait = 1500ms;
    const struct {
        const char *name;
        std::chrono::milliseconds holdsFor;
        bool newerRuns;
    } cases[] = {
        {"ends after the wait for a running copy", 800ms, true},
        {"does not end within the wait for an ending one", 2500ms, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<InstanceLock> older =
            lockInstanceWithFile(platform.dataFolder() + InstanceLockFileName, {0ms, 0ms});
        ASSERT_TRUE(older);
        older->markEnding();
        std::thread olderEnds([&] {
            std::this_thread::sleep_for(c.holdsFor);
            older.reset();
        });
        {
            Application newer(platform, service);
            newer.start();
            EXPECT_EQ(newer.form1()->startRefused(), !c.newerRuns);
        }
        olderEnds.join();
    }
}

// What a lock file holds when nobody holds the lock: a power cut soon after a start leaves it
// empty or half-written, and a home copied from another machine brings that host's lock along.
// None of them names an instance that runs here, so none may keep a start waiting.
TEST(InstanceLockFileTest, ALockFileThatNamesNoLiveInstanceHereIsTakenOverAtOnce)
{
    const QByteArray thisProcess = QByteArray::number(QCoreApplication::applicationPid());
    const struct {
        const char *name;
        QByteArray contents;
    } cases[] = {
        {"empty", ""},
        {"garbage", "\x01\x7f not a lock\n\n\n"},
        {"written on another host", thisProcess + "\ntervalo\nanother-host.example\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QTemporaryDir folder;
        const QString lockFile = folder.filePath(InstanceLockFileName);
        test::writeFileBytes(lockFile, c.contents);
        QElapsedTimer waited;
        waited.start();
        const std::unique_ptr<InstanceLock> lock = lockInstanceWithFile(lockFile, {3s, 3s});
        EXPECT_TRUE(lock);
        EXPECT_LT(waited.elapsed(), 1000);
        EXPECT_FALSE(lockInstanceWithFile(lockFile, {0ms, 0ms}))
            << "the lock was taken, not passed by";
    }
}

TEST(InstanceLockFileTest, TheLockOfALiveInstanceIsNotTakenOver)
{
    const QTemporaryDir folder;
    const QString lockFile = folder.filePath(InstanceLockFileName);
    const std::unique_ptr<InstanceLock> running = lockInstanceWithFile(lockFile, {0ms, 0ms});
    ASSERT_TRUE(running);
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(lockInstanceWithFile(lockFile, {300ms, 300ms}));
    EXPECT_GE(waited.elapsed(), 300);
}

} // namespace
} // namespace tervalo
