// SPDX-License-Identifier: MIT
#include "platform/LinuxPlatform.h"

#include "platform/StoppableTransfer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSysInfo>
#include <QSystemTrayIcon>
#include <QUrl>

#include <curl/curl.h>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <thread>

namespace tervalo {

namespace {

// A replacement's temporary is the target's name with this suffix, whose X mkstemp turns into
// letters and digits.
constexpr char TemporarySuffix[] = ".XXXXXX";
constexpr qsizetype RandomLength = sizeof TemporarySuffix - 2; // neither the dot nor the zero

// The line that an ending holder adds to the text of the instance lock file.
const QByteArray EndingLine = QByteArrayLiteral("ending\n");
// How often a start that waits for the instance lock tries it again.
constexpr std::chrono::milliseconds LockRetryPeriod{50};

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

struct FolderCloser {
    void operator()(DIR *folder) const { ::closedir(folder); }
};

bool isTemporaryNameOf(QByteArrayView candidate, const QByteArray &name)
{
    if (candidate.size() != name.size() + 1 + RandomLength || !candidate.startsWith(name) ||
        candidate[name.size()] != '.')
        return false;
    const QByteArrayView random = candidate.last(RandomLength);
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

void removeIfUnlocked(int folder, const char *name)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status = {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlinkat(folder, name, 0);
    ::close(fd);
}

// How a new file is put in place: over whatever is there, or only where nothing is.
enum class Placement { Replace, OnlyWhereMissing };

// Writes `contents` to a new private temporary beside `target`, flushed to disk, and puts it
// in place. The temporary stays locked while it exists, which tells it from a leftover of an
// interrupted write, and never outlives the call.
bool writeIntoPlace(const QByteArray &target, const QByteArray &contents, Placement placement)
{
    QByteArray temporary = target + TemporarySuffix;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const bool written = ::flock(fd, LOCK_EX) == 0 && writeAll(fd, contents) &&
                         ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && ::fsync(fd) == 0;
    const bool renamed = written && placement == Placement::Replace &&
                         ::rename(temporary.constData(), target.constData()) == 0;
    // A link fails where anything exists already.
    const bool linked = written && placement == Placement::OnlyWhereMissing &&
                        ::link(temporary.constData(), target.constData()) == 0;
    if (!renamed)
        ::unlink(temporary.constData());
    ::close(fd);
    if (renamed || linked)
        syncFolderOf(target);
    return renamed || linked;
}

// The lock is the kernel's lock on the open file, which ends with the process that holds it
// however that process ends: what the file says never keeps a start out, so an empty file of
// a power cut, a garbled one, one brought along from another host or one naming a recycled
// process id is taken over at once. The file's text (process, program, host) is for people
// and for older versions of the program, and says when its holder is ending.
class FileInstanceLock final : public InstanceLock {
public:
    explicit FileInstanceLock(int fd)
        : fd(fd)
    {}
    ~FileInstanceLock() override
    {
        if (fd >= 0)
            ::close(fd);
    }

    // The text is for its readers alone: a lock whose text cannot be written (a read-only
    // folder) still locks.
    void tellHolder()
    {
        if (::ftruncate(fd, 0) == 0)
            writeText(holderText());
    }

    // The ending text starts with the holder's, so a reader sees the one or the other.
    void markEnding() override
    {
        if (fd >= 0)
            writeText(holderText() + EndingLine);
    }

private:
    bool writeText(const QByteArray &text) const
    {
        return ::pwrite(fd, text.constData(), static_cast<size_t>(text.size()), 0) == text.size();
    }

    static QByteArray holderText()
    {
        return QByteArray::number(::getpid()) + '\n' +
               QCoreApplication::applicationName().toUtf8() + '\n' +
               QSysInfo::machineHostName().toUtf8() + '\n';
    }

    int fd;
};

// Whether the text of the lock file says that its holder is ending.
bool holderIsEnding(int fd)
{
    char text[512];
    const ssize_t length = ::pread(fd, text, sizeof text, 0);
    return length > 0 && QByteArray(text, length).split('\n').contains(EndingLine.chopped(1));
}

// The lock file's text cannot be written in a read-only folder, but one that is there can
// still be locked.
int openLockFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    return fd >= 0 ? fd : ::open(path.constData(), O_RDONLY | O_CLOEXEC);
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
// The temporary stays locked until it is renamed, which tells it from a leftover.
bool LocalFileStore::replace(const QString &path, const QByteArray &contents)
{
    const QByteArray target = QFile::encodeName(path);
    return writeIntoPlace(target, contents, Placement::Replace);
}

// Leftovers are told by the name replace gives its temporaries and by the lock that only a
// replacement in progress holds, so another instance's save running at this moment keeps its
// file. Only regular files are taken, and links are not followed.
void LocalFileStore::removeLeftoversOf(const QString &path)
{
    const QFileInfo target(path);
    const std::unique_ptr<DIR, FolderCloser> folder(
        ::opendir(QFile::encodeName(target.absolutePath()).constData()));
    if (!folder)
        return;
    const QByteArray name = QFile::encodeName(target.fileName());
    while (const dirent *entry = ::readdir(folder.get())) {
        if (isTemporaryNameOf(entry->d_name, name))
            removeIfUnlocked(::dirfd(folder.get()), entry->d_name);
    }
}

// A file the user has is never overwritten, not even by two starts at once.
bool LocalFileStore::copyIfMissing(const QString &source, const QString &target)
{
    const std::optional<QByteArray> contents = read(source);
    if (!contents || QFileInfo::exists(target))
        return false;
    makeFolder(QFileInfo(target).absolutePath());
    return writeIntoPlace(QFile::encodeName(target), *contents, Placement::OnlyWhereMissing);
}

bool LocalFileStore::makeFolder(const QString &path)
{
    return QDir().mkpath(path);
}

void LocalFileStore::remove(const QString &path)
{
    ::unlink(QFile::encodeName(path).constData());
}

std::unique_ptr<InstanceLock> lockInstanceWithFile(const QString &lockFile, InstanceWait wait)
{
    QDir().mkpath(QFileInfo(lockFile).absolutePath());
    const int fd = openLockFile(QFile::encodeName(lockFile));
    if (fd < 0)
        return std::make_unique<FileInstanceLock>(-1);
    QElapsedTimer waited;
    waited.start();
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            ::close(fd); // a file system without locks
            return std::make_unique<FileInstanceLock>(-1);
        }
        const auto limit = holderIsEnding(fd) ? wait.forEnding : wait.forRunning;
        if (std::chrono::milliseconds(waited.elapsed()) >= limit) {
            ::close(fd);
            return nullptr;
        }
        std::this_thread::sleep_for(LockRetryPeriod);
    }
    auto lock = std::make_unique<FileInstanceLock>(fd);
    lock->tellHolder();
    return lock;
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

QString programPathOnDisk(const QString &runningImage)
{
    const QString deleted = QStringLiteral(" (deleted)");
    if (!runningImage.endsWith(deleted) || QFileInfo::exists(runningImage))
        return runningImage;
    return runningImage.chopped(deleted.size());
}

QString LinuxPlatform::executablePath() const
{
    return programPathOnDisk(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
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

void LinuxPlatform::startDetached(const QString &program)
{
    QProcess::startDetached(program, {});
}

bool LinuxPlatform::canConnect(const QString &host, int port, std::chrono::milliseconds timeout,
                               const std::stop_token &stop)
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
    return performUnlessStopped(curl.get(), stop) == CURLE_OK;
}

} // namespace tervalo
