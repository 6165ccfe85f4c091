// SPDX-License-Identifier: MIT
#include "platform/LinuxPlatform.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QUrl>

#include <curl/curl.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace tervalo {

namespace {

// Writes all of `contents` to `fd`, retrying short writes and interrupted calls.
bool writeAll(int fd, const QByteArray &contents)
{
    const char *data = contents.constData();
    qsizetype left = contents.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

void syncFolderOf(const QByteArray &path)
{
    const QByteArray folder = QFileInfo(QString::fromLocal8Bit(path)).absolutePath().toLocal8Bit();
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes `contents` to a new private file beside `target` and flushes it to disk; returns its
// path, or nothing when it could not be written.
std::optional<QByteArray> writeTemporaryBeside(const QByteArray &target, const QByteArray &contents)
{
    QByteArray temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return std::nullopt;
    const bool written =
        writeAll(fd, contents) && ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && ::fsync(fd) == 0;
    if (::close(fd) == 0 && written)
        return temporary;
    ::unlink(temporary.constData());
    return std::nullopt;
}

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

bool LocalFileStore::isFile(const QString &path) const
{
    return QFileInfo(path).isFile();
}

std::optional<QByteArray> LocalFileStore::read(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// A temporary file in the same folder, flushed to disk and renamed over the target: a crash
// at any moment leaves either the old file or the new one. mkstemp creates it with mode 0600.
bool LocalFileStore::replace(const QString &path, const QByteArray &contents)
{
    const QByteArray target = QFile::encodeName(path);
    const std::optional<QByteArray> temporary = writeTemporaryBeside(target, contents);
    if (!temporary)
        return false;
    if (::rename(temporary->constData(), target.constData()) != 0) {
        ::unlink(temporary->constData());
        return false;
    }
    syncFolderOf(target);
    return true;
}

// The copy is linked into place, which fails when anything exists there, so a file the user
// has is never overwritten, not even by two starts at once.
bool LocalFileStore::copyIfMissing(const QString &source, const QString &target)
{
    const std::optional<QByteArray> contents = read(source);
    if (!contents || QFileInfo::exists(target))
        return false;
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QByteArray targetName = QFile::encodeName(target);
    const std::optional<QByteArray> temporary = writeTemporaryBeside(targetName, *contents);
    if (!temporary)
        return false;
    const bool linked = ::link(temporary->constData(), targetName.constData()) == 0;
    ::unlink(temporary->constData());
    if (linked)
        syncFolderOf(targetName);
    return linked;
}

QString LinuxPlatform::userName() const
{
    const passwd *account = ::getpwuid(::geteuid());
    return account ? QString::fromLocal8Bit(account->pw_name) : QString();
}

QString LinuxPlatform::homeDirectoryOf(const QString &user) const
{
    const QByteArray name = user.toLocal8Bit();
    const passwd *account = name.isEmpty() ? nullptr : ::getpwnam(name.constData());
    return account ? QString::fromLocal8Bit(account->pw_dir) : QString();
}

// Every Linux the program builds on is supported; the version rule exists for layers that
// can report an unsupported system.
std::optional<int> LinuxPlatform::osMajorVersion() const
{
    return 6;
}

QString LinuxPlatform::executablePath() const
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

bool LinuxPlatform::hasNotificationArea() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void LinuxPlatform::showMessage(const MessageBox &box)
{
    QMessageBox dialog(toQtIcon(box.icon), box.caption, box.text, QMessageBox::Ok);
    dialog.exec();
}

void LinuxPlatform::openAddress(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

bool LinuxPlatform::canConnect(const QString &host, int port, std::chrono::milliseconds timeout)
{
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        return false;
    const QByteArray address = QStringLiteral("http://%1:%2/").arg(host).arg(port).toUtf8();
    curl_easy_setopt(curl.get(), CURLOPT_URL, address.constData());
    curl_easy_setopt(curl.get(), CURLOPT_CONNECT_ONLY, 1L);
    // The probe always goes direct, whatever proxy the environment names.
    curl_easy_setopt(curl.get(), CURLOPT_PROXY, "");
    curl_easy_setopt(curl.get(), CURLOPT_NOPROXY, "*");
    // The bound covers name resolution as well as the connection itself.
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    return curl_easy_perform(curl.get()) == CURLE_OK;
}

} // namespace tervalo
