// SPDX-License-Identifier: MIT
#include "support/LoopbackServices.h"

#include "support/Files.h"
#include "support/Processes.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace tervalo::test {

namespace {

constexpr int StartTimeoutMs = 10000;

bool acceptsConnections(const QHostAddress &address, int port)
{
    QTcpSocket socket;
    socket.connectToHost(address, static_cast<quint16>(port));
    return socket.waitForConnected(200);
}

} // namespace

std::optional<QString> ReceivedRequest::header(const QString &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

int unusedPort(const QHostAddress &address)
{
    QTcpServer probe;
    probe.listen(address, 0);
    return probe.serverPort();
}

bool makeTestAuthority(const QString &folder)
{
    QProcess openssl;
    openssl.start(QStringLiteral("sh"),
                  {QStringLiteral(TERVALO_SOURCE_DIR "/tests/support/test_authority.sh"), folder});
    return openssl.waitForFinished(StartTimeoutMs) &&
           openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0;
}

LoopbackForecastService::LoopbackForecastService()
{
    if (!makeTestAuthority(folder.path()))
        return;
    server.start(QStringLiteral("python3"),
                 {QStringLiteral(TERVALO_SOURCE_DIR "/tests/support/forecast_service.py"),
                  QStringLiteral("--fixtures"),
                  QStringLiteral(TERVALO_SOURCE_DIR "/tests/forecast/fixtures"),
                  QStringLiteral("--log"), folder.filePath(QStringLiteral("requests.jsonl")),
                  QStringLiteral("--tls-port"), QStringLiteral("0"), QStringLiteral("--cert"),
                  folder.filePath(QStringLiteral("server.pem")), QStringLiteral("--key"),
                  folder.filePath(QStringLiteral("server.key"))});
    // Both ports come as one line each, once both listen.
    QElapsedTimer elapsed;
    elapsed.start();
    while (server.peek(64).count('\n') < 2) {
        const qint64 left = StartTimeoutMs - elapsed.elapsed();
        if (left <= 0 || !server.waitForReadyRead(static_cast<int>(left)))
            return;
    }
    port = server.readLine().trimmed().toInt();
    tlsPort = server.readLine().trimmed().toInt();
}

LoopbackForecastService::~LoopbackForecastService()
{
    stopProcess(server);
}

QString LoopbackForecastService::root() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

QString LoopbackForecastService::secureRoot() const
{
    return QStringLiteral("https://127.0.0.1:%1").arg(tlsPort);
}

QString LoopbackForecastService::authority() const
{
    return folder.filePath(QStringLiteral("ca.pem"));
}

ForecastService LoopbackForecastService::endpoints(TransferLimits limits) const
{
    ForecastService service;
    service.forecastPrefix = root() + QStringLiteral("/weather-ng/forecasts/");
    service.limits = limits;
    service.limits.caBundle = authority();
    service.openMeteoForecast = secureRoot() + QStringLiteral("/v1/forecast");
    service.openMeteoProbe = {QStringLiteral("127.0.0.1"), tlsPort};
    service.openMeteoSite = secureRoot() + QStringLiteral("/open-meteo/");
    service.placeSearch = secureRoot() + QStringLiteral("/v1/search");
    service.probeHost = QStringLiteral("127.0.0.1");
    service.probePort = port;
    service.siteRoot = root() + QStringLiteral("/site/");
    service.programSite = root() + QStringLiteral("/program/");
    service.versionDocument = service.programSite + QStringLiteral("xml_version_info.xml");
    return service;
}

std::vector<ReceivedRequest> LoopbackForecastService::requests() const
{
    std::vector<ReceivedRequest> received;
    const QByteArray log = readFileBytes(folder.filePath(QStringLiteral("requests.jsonl")));
    for (const QByteArray &line : log.split('\n')) {
        const QJsonObject entry = QJsonDocument::fromJson(line).object();
        if (entry.isEmpty())
            continue;
        ReceivedRequest request{entry.value(QStringLiteral("line")).toString(), {}};
        for (const QJsonValue &header : entry.value(QStringLiteral("headers")).toArray()) {
            const QJsonArray pair = header.toArray();
            request.headers.emplace_back(pair.at(0).toString(), pair.at(1).toString());
        }
        received.push_back(std::move(request));
    }
    return received;
}

Tinyproxy::Tinyproxy(std::optional<std::pair<QString, QString>> basicAuth,
                     const QHostAddress &address)
    : proxyPort(unusedPort(address))
{
    QByteArray config = "Port " + QByteArray::number(proxyPort) + "\nListen " +
                        address.toString().toLatin1() +
                        "\nTimeout 30\nMaxClients 20\nLogLevel Critical\nDisableViaHeader Yes\n";
    if (basicAuth)
        config +=
            "BasicAuth " + basicAuth->first.toUtf8() + ' ' + basicAuth->second.toUtf8() + '\n';
    const QString configPath = folder.filePath(QStringLiteral("tinyproxy.conf"));
    writeFileBytes(configPath, config);
    proxy.start(QStringLiteral("tinyproxy"),
                {QStringLiteral("-d"), QStringLiteral("-c"), configPath});
    QElapsedTimer elapsed;
    elapsed.start();
    while (proxy.state() != QProcess::NotRunning && elapsed.elapsed() < StartTimeoutMs) {
        if ((listening = acceptsConnections(address, proxyPort)))
            break;
        QThread::msleep(50);
    }
}

Tinyproxy::~Tinyproxy()
{
    stopProcess(proxy);
}

} // namespace tervalo::test
