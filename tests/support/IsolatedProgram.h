// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace tervalo::test {

// The real `tervalo` executable, run in private mount and network namespaces with a temporary
// directory mounted over the account's home: it finds its data folder where it always does,
// yet never touches the real user's files nor the network.
class IsolatedProgram {
public:
    IsolatedProgram();
    ~IsolatedProgram();

    // Why isolated runs are impossible here (no namespaces for this user), if they are.
    static std::optional<QString> unavailableReason();

    // The data folder as the program sees it, inside the temporary home.
    QString dataFolder() const;
    void writeDataFile(const QString &name, const QByteArray &contents) const;
    QByteArray readDataFile(const QString &name) const;

    // Makes the program's outside services reachable inside its namespaces: their host names
    // resolve to the loopback address, where the stand-in forecast service answers on port 80,
    // and over HTTPS on port 443 with a certificate of a test authority, which the namespace's
    // system bundle holds alone. Call before start; the service's requests are then in
    // serviceRequestLog().
    void serveTheServicesOnLoopback();
    QString serviceRequestLog() const;

    // Mounts the data folder read-only inside the namespaces: no file in it can be created or
    // replaced, not even by root. Call before start.
    void makeDataFolderReadOnly();
    // Runs this program on the home of `other`, as a second program of the same account.
    // Call before start.
    void shareHomeWith(const IsolatedProgram &other);
    // Runs a copy of the program installed as `cmake --install` lays it out, with the default
    // data files beside it, instead of the build tree's program, which has none.
    void runTheInstalledProgram();
    // Puts a new copy of the installed program in its place as a package upgrade does, by
    // renaming it over the old one, which a running program keeps executing.
    void upgradeTheExecutable();
    QString executablePath() const { return executable; }

    void start(const QStringList &arguments, const QStringList &environment);
    // Waits until the program handles SIGTERM, that is until its start-up has begun: from then
    // on a SIGTERM ends it in order.
    bool waitUntilRunning(int milliseconds);
    bool terminate(int milliseconds);
    QProcess &process() { return program; }

private:
    QString setUpServices() const;
    QString homePath() const { return sharedHome.isEmpty() ? home.path() : sharedHome; }

    QTemporaryDir home;
    QTemporaryDir scratch;
    QString sharedHome;
    bool servesServices = false;
    bool readOnlyDataFolder = false;
    QString executable = QStringLiteral(TERVALO_EXECUTABLE);
    QProcess program;
};

} // namespace tervalo::test
