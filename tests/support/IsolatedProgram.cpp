// SPDX-License-Identifier: MIT
#include "support/IsolatedProgram.h"

#include "forecast/ForecastService.h"
#include "settings/DataFiles.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace tervalo::test {

namespace {

// Root may make namespaces directly; anyone else maps itself to root in a user namespace,
// where the program then sees the root account and its home.
QStringList unshareArguments()
{
    QStringList arguments{QStringLiteral("--mount"), QStringLiteral("--net"),
                          QStringLiteral("--propagation"), QStringLiteral("private")};
    if (::geteuid() != 0)
        arguments.prepend(QStringLiteral("--map-root-user"));
    return arguments;
}

// The bundle of certificate authorities that libcurl trusts by default on Debian.
const char *const SystemAuthorities = "/etc/ssl/certs/ca-certificates.crt";

// The home directory of the account the program will run as inside the namespaces.
QString programHome()
{
    return QStringLiteral("/root");
}

// SigCgt of /proc/<pid>/status: the signals the process catches, as hexadecimal.
bool catchesSigterm(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ull << (SIGTERM - 1));
    }
    return false;
}

} // namespace

IsolatedProgram::IsolatedProgram()
{
    QDir().mkpath(dataFolder());
}

IsolatedProgram::~IsolatedProgram()
{
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished(5000);
    }
    const QByteArray servicePid =
        readFileBytes(scratch.filePath(QStringLiteral("service.pid"))).trimmed();
    if (!servicePid.isEmpty())
        ::kill(static_cast<pid_t>(servicePid.toLongLong()), SIGTERM);
}

void IsolatedProgram::serveTheServicesOnLoopback()
{
    servesServices = true;
}

void IsolatedProgram::runTheInstalledProgram()
{
    const QString prefix = scratch.filePath(QStringLiteral("prefix"));
    QDir().mkpath(prefix + QStringLiteral("/bin"));
    QDir().mkpath(prefix + QStringLiteral("/share/tervalo"));
    executable = prefix + QStringLiteral("/bin/tervalo");
    QFile::copy(QStringLiteral(TERVALO_EXECUTABLE), executable);
    for (const QString &name : {SettingsFileName, TownDirectoryFileName})
        writeFileBytes(prefix + QStringLiteral("/share/tervalo/") + name, installedDataFile(name));
}

void IsolatedProgram::upgradeTheExecutable()
{
    const QString upgrade = executable + QStringLiteral(".upgrade");
    QFile::copy(QStringLiteral(TERVALO_EXECUTABLE), upgrade);
    ::rename(QFile::encodeName(upgrade).constData(), QFile::encodeName(executable).constData());
}

void IsolatedProgram::shareHomeWith(const IsolatedProgram &other)
{
    sharedHome = other.homePath();
}

void IsolatedProgram::makeDataFolderReadOnly()
{
    readOnlyDataFolder = true;
}

QString IsolatedProgram::serviceRequestLog() const
{
    return scratch.filePath(QStringLiteral("requests.jsonl"));
}

// The shell commands that bring up the loopback interface, point the services' host names at
// it, make the test authority the only one the system trusts and start the stand-in service
// on ports 80 and 443, waiting until it listens.
QString IsolatedProgram::setUpServices() const
{
    const ForecastService standard = ForecastService::standard();
    QStringList hosts{QStringLiteral("localhost")};
    for (const QString &address :
         {standard.forecastPrefix, standard.siteRoot, standard.programSite,
          standard.openMeteoForecast, standard.openMeteoSite, standard.placeSearch})
        hosts << QUrl(address).host();
    hosts << standard.probeHost << standard.openMeteoProbe.host;
    hosts.removeDuplicates();
    const QString hostsFile = scratch.filePath(QStringLiteral("hosts"));
    writeFileBytes(hostsFile, "127.0.0.1 " + hosts.join(QLatin1Char(' ')).toUtf8() + '\n');
    const QString authority = scratch.filePath(QStringLiteral("authority"));
    QDir().mkpath(authority);
    makeTestAuthority(authority);
    const QString ready = scratch.filePath(QStringLiteral("service.port"));
    return QStringLiteral(
               "ip link set lo up && mount --bind '%1' /etc/hosts && "
               "mount --bind '%7/ca.pem' '%8' && "
               "{ python3 '%2' --port 80 --tls-port 443 --cert '%7/server.pem' "
               "--key '%7/server.key' --fixtures '%3' --log '%4' > '%5' & echo $! > '%6'; } && "
               "for i in $(seq 100); do [ -s '%5' ] && break; sleep 0.1; done && ")
        .arg(hostsFile, QStringLiteral(TERVALO_SOURCE_DIR "/tests/support/forecast_service.py"),
             QStringLiteral(TERVALO_SOURCE_DIR "/tests/forecast/fixtures"), serviceRequestLog(),
             ready, scratch.filePath(QStringLiteral("service.pid")), authority,
             QLatin1String(SystemAuthorities));
}

std::optional<QString> IsolatedProgram::unavailableReason()
{
    QProcess probe;
    probe.start(QStringLiteral("unshare"), unshareArguments() << QStringLiteral("true"));
    if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0) {
        return QStringLiteral("private namespaces are not available here (run as root): ") +
               QString::fromLocal8Bit(probe.readAllStandardError()).trimmed();
    }
    return std::nullopt;
}

QString IsolatedProgram::dataFolder() const
{
    return dataFolderIn(homePath());
}

void IsolatedProgram::writeDataFile(const QString &name, const QByteArray &contents) const
{
    writeFileBytes(dataFolder() + name, contents);
}

QByteArray IsolatedProgram::readDataFile(const QString &name) const
{
    return readFileBytes(dataFolder() + name);
}

void IsolatedProgram::start(const QStringList &arguments, const QStringList &environment)
{
    // sh mounts the home (and the data folder read-only over itself, when asked), then replaces
    // itself by the program, which keeps the process id.
    const QString readOnly =
        QStringLiteral("mount --bind '%1' '%1' && mount -o remount,bind,ro '%1' && ")
            .arg(dataFolderIn(programHome()));
    const QString script = (servesServices ? setUpServices() : QString()) +
                           QStringLiteral("mount --bind \"$1\" \"$2\" && ") +
                           (readOnlyDataFolder ? readOnly : QString()) +
                           QStringLiteral("shift 2 && exec \"$@\"");
    program.setEnvironment(environment);
    program.start(QStringLiteral("unshare"),
                  unshareArguments() << QStringLiteral("--") << QStringLiteral("sh")
                                     << QStringLiteral("-c") << script << QStringLiteral("sh")
                                     << homePath() << programHome() << executable << arguments);
}

bool IsolatedProgram::waitUntilRunning(int milliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds && program.state() != QProcess::NotRunning) {
        if (catchesSigterm(program.processId()))
            return true;
        QThread::msleep(20);
    }
    return false;
}

bool IsolatedProgram::terminate(int milliseconds)
{
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    return program.waitForFinished(milliseconds);
}

} // namespace tervalo::test
