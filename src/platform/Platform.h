// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>
#include <stop_token>

namespace tervalo {

// The icon a message box carries. Every box of the program has a single OK button.
enum class MessageIcon { Information, Question, Warning, Error };

struct MessageBox {
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::Information;

    bool operator==(const MessageBox &) const = default;
};

// Whole-file access with the guarantees the settings need: a replacement is atomic
// (readers see the old or the new file, never a half-written one) and private to the user.
class FileStore {
public:
    virtual ~FileStore() = default;
    virtual bool isFile(const QString &path) const = 0;
    virtual std::optional<QByteArray> read(const QString &path) const = 0;
    virtual bool replace(const QString &path, const QByteArray &contents) = 0;
    // Puts a private copy of `source` at `target`, creating the target's folder, unless
    // something is there already: nothing is ever overwritten. False when nothing was copied.
    virtual bool copyIfMissing(const QString &source, const QString &target) = 0;
    // Removes the temporaries that replacements of the file left behind when they were
    // interrupted (a kill between writing and renaming), and nothing else.
    virtual void removeLeftoversOf(const QString &path) = 0;
    // Creates the folder and the folders above it as needed. False when it is not there after.
    virtual bool makeFolder(const QString &path) = 0;
    // Removes the file; a file that is not there, or cannot be removed, is no error.
    virtual void remove(const QString &path) = 0;
};

// Held by one running instance of the program while it exists; see Platform::lockInstance.
class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // Tells the starts that wait for this lock that its holder is on its way out, so that they
    // wait for it to end rather than give up as they do on an instance that keeps running.
    virtual void markEnding() = 0;
};

// How long a start waits for the instance that holds the lock: one that keeps running, and one
// that has marked itself ending; each counted from the start of the wait.
struct InstanceWait {
    std::chrono::milliseconds forRunning;
    std::chrono::milliseconds forEnding;
};

// Everything the program asks of the operating system and the desktop. The program uses
// LinuxPlatform; tests inject doubles, so no test shows a modal box or touches the real home.
class Platform {
public:
    virtual ~Platform() = default;

    // The login name of the user the program runs as.
    virtual QString userName() const = 0;
    // The home directory of the named account, from the account database.
    virtual QString homeDirectoryOf(const QString &user) const = 0;
    // The major version of the operating system; empty when it cannot be told.
    virtual std::optional<int> osMajorVersion() const = 0;
    // The local date and time.
    virtual QDateTime now() const = 0;
    // The full path of the running executable.
    virtual QString executablePath() const = 0;
    // Whether the desktop has a notification area that can hold the program's icon.
    virtual bool hasNotificationArea() const = 0;

    // Shows a modal box and returns when the user has closed it.
    virtual void showMessage(const MessageBox &box) = 0;
    // Opens an address in the user's browser; failures are not reported.
    virtual void openAddress(const QString &address) = 0;
    // Tries a TCP connection (name resolution included) within the time-out; nothing is sent.
    // A stop gives up at once, as if no connection could be made.
    virtual bool canConnect(const QString &host, int port, std::chrono::milliseconds timeout,
                            const std::stop_token &stop) = 0;
    // Starts a program with no arguments and lets it run on its own; the outcome is not told.
    virtual void startDetached(const QString &program) = 0;
    // Takes the lock that one running instance holds, a file at `lockFile` (its folder created
    // when missing), waiting as `wait` says for an instance that holds it to end. Null when
    // another live instance holds it all that time. A lock file that no live instance holds
    // (its process died, or it came from another host) is taken over at once. Where no lock
    // file can be made or locked at all there is nothing to guard with, and the returned lock
    // holds nothing.
    virtual std::unique_ptr<InstanceLock> lockInstance(const QString &lockFile,
                                                       InstanceWait wait) = 0;

    virtual FileStore &files() = 0;
};

} // namespace tervalo
