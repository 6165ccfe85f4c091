// SPDX-License-Identifier: MIT
#include "settings/AutoRun.h"
#include "platform/AppError.h"
#include "platform/LinuxPlatform.h"
#include "settings/Settings.h"
#include "support/Files.h"
#include "support/WidgetHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

TEST(DesktopEntryExecTest, QuotesAndEscapesThePathAsLaunchersReadIt)
{
    // Each expectation is the text of the file: the string value's own escapes (a backslash
    // doubled) come on top of the quoting's.
    struct Case {
        const char16_t *path;
        const char16_t *exec;
    };
    const Case cases[] = {
        {u"/usr/bin/tervalo", u"/usr/bin/tervalo"},
        {u"/opt/my apps/tervalo", u"\"/opt/my apps/tervalo\""},
        {u"/opt/say \"hi\"/tervalo", u"\"/opt/say \\\\\"hi\\\\\"/tervalo\""},
        {u"/opt/back\\slash/tervalo", u"\"/opt/back\\\\\\\\slash/tervalo\""},
        {u"/opt/$HOME/tervalo", u"\"/opt/\\\\$HOME/tervalo\""},
        {u"/opt/`id`/tervalo", u"\"/opt/\\\\`id\\\\`/tervalo\""},
        {u"/opt/it's/tervalo", u"\"/opt/it's/tervalo\""},
        {u"/opt/a;b&c|d/tervalo", u"\"/opt/a;b&c|d/tervalo\""},
        {u"/opt/~x/(y)#*?<>/tervalo", u"\"/opt/~x/(y)#*?<>/tervalo\""},
        {u"/opt/100%/tervalo", u"/opt/100%%/tervalo"},
        {u"/opt/100% sure/tervalo", u"\"/opt/100%% sure/tervalo\""},
        {u"/opt/tab\there/tervalo", u"\"/opt/tab\\there/tervalo\""},
        {u"/opt/line\nbreak/tervalo", u"\"/opt/line\\nbreak/tervalo\""},
        {u"/opt/погода/tervalo", u"/opt/погода/tervalo"},
    };
    for (const Case &c : cases) {
        const QString path = QString::fromUtf16(c.path);
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(desktopEntryExec(path), QString::fromUtf16(c.exec));
    }
}

// TryExec is a path, not a command line: quoted, it would name no file, and the desktop would
// never start the program.
TEST(AutostartEntryTest, TryExecIsThePlainPathAndExecTheQuotedCommand)
{
    const QByteArray entry =
        autostartEntry(QStringLiteral("tervalo"), QStringLiteral("/opt/my apps/100%\\tervalo"));
    EXPECT_TRUE(entry.contains("\nTryExec=/opt/my apps/100%\\\\tervalo\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/my apps/100%%\\\\\\\\tervalo\"\n"))
        << entry.constData();
}

class AutoRunTest : public ::testing::Test {
protected:
    QString autostartFolder() const
    {
        return harness.platform.homeDirectoryOf(harness.shared.UserName) +
               QStringLiteral("/.config/autostart");
    }
    QString entryPath() const { return autostartFolder() + QStringLiteral("/tervalo.desktop"); }
    void runAutoRun(bool wanted)
    {
        harness.shared.AppSettings.AutoRun = wanted;
        harness.form->AutoRun();
    }

    test::WidgetHarness harness;
};

TEST_F(AutoRunTest, TheFlagWritesTheEntryAndItsAbsenceRemovesIt)
{
    runAutoRun(true);
    const QString exec = harness.platform.executablePath();
    EXPECT_EQ(test::readFileBytes(entryPath()),
              "[Desktop Entry]\nType=Application\nName=tervalo\nTryExec=" + exec.toUtf8() +
                  "\nExec=" + exec.toUtf8() + "\nIcon=tervalo\n");
    EXPECT_TRUE(test::installedDataFile(QStringLiteral("ru.orvek.tervalo.desktop"))
                    .contains("\nIcon=tervalo\n"))
        << "the icon the installed launcher names";

    runAutoRun(false);
    EXPECT_FALSE(QFileInfo::exists(entryPath()));
    EXPECT_TRUE(QFileInfo(autostartFolder()).isDir()) << "the folder is the desktop's";

    runAutoRun(false); // nothing left to remove: no error
    EXPECT_FALSE(QFileInfo::exists(entryPath()));
}

TEST_F(AutoRunTest, AnOlderEntryIsReplacedAndOtherEntriesStay)
{
    QDir().mkpath(autostartFolder());
    test::writeFileBytes(entryPath(), "[Desktop Entry]\nExec=/old/place/tervalo\n");
    const QString other = autostartFolder() + QStringLiteral("/other.desktop");
    test::writeFileBytes(other, "[Desktop Entry]\nExec=other\n");

    runAutoRun(true);
    EXPECT_FALSE(test::readFileBytes(entryPath()).contains("/old/place/"));
    runAutoRun(false);
    EXPECT_EQ(test::readFileBytes(other), "[Desktop Entry]\nExec=other\n");
}

// A file where the folder belongs stops the folder from being made, and from being opened.
TEST_F(AutoRunTest, AnAutostartFolderThatCannotBeMadeIsSilent)
{
    QDir().mkpath(QFileInfo(autostartFolder()).absolutePath());
    test::writeFileBytes(autostartFolder(), "not a folder\n");
    for (bool wanted : {true, false}) {
        SCOPED_TRACE(wanted);
        EXPECT_NO_THROW(runAutoRun(wanted));
        EXPECT_EQ(test::readFileBytes(autostartFolder()), "not a folder\n");
        EXPECT_EQ(harness.platform.fileStore.replacements(), 0);
    }
}

TEST_F(AutoRunTest, AnEntryThatCannotBeWrittenRaisesTheErrorWithTheTitle)
{
    harness.platform.fileStore.failFromReplacement(1);
    try {
        runAutoRun(true);
        FAIL() << "no error";
    } catch (const AppError &error) {
        EXPECT_EQ(error.text(), QStringLiteral("Failed to set data for 'tervalo'"));
    }
    EXPECT_FALSE(QFileInfo::exists(entryPath()));
}

// The kernel names a running image whose file was replaced or removed "<path> (deleted)".
TEST(ProgramPathTest, TheProgramIsWhereItStandsOnDiskNowNotTheReplacedImage)
{
    const QTemporaryDir folder;
    const QString upgraded = folder.filePath(QStringLiteral("tervalo"));
    const QString literal = folder.filePath(QStringLiteral("odd (deleted)"));
    for (const QString &path : {upgraded, literal})
        test::writeFileBytes(path, "#!/bin/sh\n");
    const QString removed = folder.filePath(QStringLiteral("gone/tervalo"));
    const QString deleted = QStringLiteral(" (deleted)");
    const std::pair<QString, QString> cases[] = {
        {upgraded, upgraded}, {upgraded + deleted, upgraded}, {removed + deleted, removed},
        {literal, literal},   {literal + deleted, literal},
    };
    for (const auto &[image, program] : cases) {
        SCOPED_TRACE(image.toStdString());
        EXPECT_EQ(programPathOnDisk(image), program);
    }
}

TEST(RestartTest, UacControlStartsTheProgramsOwnExecutableOnce)
{
    test::WidgetHarness harness;
    TForm2 dialog(harness.context, *harness.form);
    dialog.UACControl();
    EXPECT_EQ(harness.platform.startedPrograms, QStringList{harness.platform.executablePath()});
}

} // namespace
} // namespace tervalo
