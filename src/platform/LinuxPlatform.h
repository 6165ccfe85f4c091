// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Platform.h"

namespace tervalo {

class LocalFileStore final : public FileStore {
public:
    bool isFile(const QString &path) const override;
    std::optional<QByteArray> read(const QString &path) const override;
    bool replace(const QString &path, const QByteArray &contents) override;
    bool copyIfMissing(const QString &source, const QString &target) override;
    void removeLeftoversOf(const QString &path) override;
    bool makeFolder(const QString &path) override;
    void remove(const QString &path) override;
};

// The instance lock as a lock file at `lockFile`: what LinuxPlatform::lockInstance does, for
// platforms that keep their files on the local system as well.
std::unique_ptr<InstanceLock> lockInstanceWithFile(const QString &lockFile, InstanceWait wait);

// The program's path from the path of the image that runs: once an upgrade has replaced or
// removed the file, the kernel names the image "<path> (deleted)", yet what is to start again,
// now and at login, is the program at <path>. A path with nothing at it stays the program's
// place, where a reinstall puts it back; a start finds it missing as any removed program.
QString programPathOnDisk(const QString &runningImage);

class LinuxPlatform final : public Platform {
public:
    QString userName() const override;
    QString homeDirectoryOf(const QString &user) const override;
    std::optional<int> osMajorVersion() const override;
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    QString executablePath() const override;
    bool hasNotificationArea() const override;
    void showMessage(const MessageBox &box) override;
    void openAddress(const QString &address) override;
    bool canConnect(const QString &host, int port, std::chrono::milliseconds timeout,
                    const std::stop_token &stop) override;
    void startDetached(const QString &program) override;
    std::unique_ptr<InstanceLock> lockInstance(const QString &lockFile, InstanceWait wait) override
    {
        return lockInstanceWithFile(lockFile, wait);
    }
    FileStore &files() override { return fileStore; }

private:
    LocalFileStore fileStore;
};

} // namespace tervalo
