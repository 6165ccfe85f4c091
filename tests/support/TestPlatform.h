// SPDX-License-Identifier: MIT
#pragma once

#include "platform/LinuxPlatform.h"
#include "platform/Platform.h"
#include "support/QtPrinting.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <vector>

namespace tervalo::test {

// The real file store, with a switch that makes a chosen replacement fail, as a full disk or
// a read-only folder would.
class FaultyFileStore final : public FileStore {
public:
    bool isFile(const QString &path) const override { return real.isFile(path); }
    std::optional<QByteArray> read(const QString &path) const override { return real.read(path); }
    bool copyIfMissing(const QString &source, const QString &target) override
    {
        return real.copyIfMissing(source, target);
    }
    bool replace(const QString &path, const QByteArray &contents) override;
    void removeLeftoversOf(const QString &path) override { real.removeLeftoversOf(path); }
    bool makeFolder(const QString &path) override { return real.makeFolder(path); }
    void remove(const QString &path) override { real.remove(path); }

    // Replacements are counted from 1; the given one and every later one fail.
    void failFromReplacement(int number) { firstFailing = number; }
    int replacements() const { return count; }

private:
    LocalFileStore real;
    int count = 0;
    int firstFailing = 0;
};

// The platform for tests: a temporary home directory, message boxes recorded instead of shown,
// a connection probe that answers what the test says, and addresses recorded, not opened.
class TestPlatform final : public Platform {
public:
    TestPlatform();

    QString userName() const override { return QStringLiteral("tester"); }
    QString homeDirectoryOf(const QString &user) const override;
    std::optional<int> osMajorVersion() const override { return osVersion; }
    QDateTime now() const override { return clock; }
    // The program as if installed in a folder of the test's own, with no defaults beside it.
    QString executablePath() const override { return home.filePath(QStringLiteral("bin/tervalo")); }
    bool hasNotificationArea() const override { return notificationArea; }
    void showMessage(const MessageBox &box) override;
    void openAddress(const QString &address) override { openedAddresses << address; }
    bool canConnect(const QString &host, int port, std::chrono::milliseconds timeout,
                    const std::stop_token &stop) override;
    void startDetached(const QString &program) override { startedPrograms << program; }
    // A real lock file in the temporary home, so that two programs of one test contend for it;
    // the waits are the test's, and the program's are recorded.
    std::unique_ptr<InstanceLock> lockInstance(const QString &lockFile, InstanceWait wait) override
    {
        programsInstanceWait = wait;
        return lockInstanceWithFile(lockFile, {instanceLockWait, endingInstanceLockWait});
    }
    FileStore &files() override { return fileStore; }

    // The data folder of the test user, created on first use.
    QString dataFolder() const;
    // Puts a file into the data folder.
    void writeDataFile(const QString &name, const QByteArray &contents) const;
    QByteArray readDataFile(const QString &name) const;
    // Puts a default data file beside the program, as its installation does.
    void installDefault(const QString &name, const QByteArray &contents) const;

    std::optional<int> osVersion = 6;
    QDateTime clock{QDate(2014, 1, 1), QTime(12, 0, 0)};
    bool online = false;
    bool notificationArea = true;
    std::vector<MessageBox> messages;
    std::function<void(const MessageBox &)> onMessage;
    QStringList openedAddresses;
    // The host and port of every connection probe, in order.
    std::vector<std::pair<QString, int>> probes;
    // Runs inside each probe, on the thread that probes, before it answers.
    std::function<void()> onProbe;
    QStringList startedPrograms;
    std::chrono::milliseconds instanceLockWait{300};
    std::chrono::milliseconds endingInstanceLockWait{3000};
    std::optional<InstanceWait> programsInstanceWait;
    FaultyFileStore fileStore;

private:
    QTemporaryDir home;
};

} // namespace tervalo::test
