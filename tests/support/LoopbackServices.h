// SPDX-License-Identifier: MIT
#pragma once

#include "forecast/ForecastService.h"

#include <QHostAddress>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>
#include <vector>

namespace tervalo::test {

// One request as the loopback forecast service received it.
struct ReceivedRequest {
    QString line;
    std::vector<std::pair<QString, QString>> headers;

    // The value of a header, its name matched without regard to case.
    std::optional<QString> header(const QString &name) const;
};

// Makes a certificate authority that only the tests trust, and a certificate from it for the
// stand-in's hosts (api.open-meteo.com, geocoding-api.open-meteo.com, open-meteo.com, localhost,
// 127.0.0.1, ::1), in the folder: ca.pem, server.pem, server.key. False when openssl failed.
bool makeTestAuthority(const QString &folder);

// The forecast services' stand-in (support/forecast_service.py) on loopback ports, plain HTTP
// on one and HTTPS with a certificate of a test authority on the other, serving the fixtures of
// tests/forecast/fixtures and recording every request.
class LoopbackForecastService {
public:
    LoopbackForecastService();
    ~LoopbackForecastService();

    bool isRunning() const { return port > 0 && tlsPort > 0; }
    QString root() const;
    // The same service over HTTPS.
    QString secureRoot() const;
    int securePort() const { return tlsPort; }
    // The test authority's certificate, which a client must be given to trust the service.
    QString authority() const;
    // The services' addresses, all on this loopback service, the authority trusted.
    ForecastService endpoints(TransferLimits limits = {}) const;
    std::vector<ReceivedRequest> requests() const;

private:
    QTemporaryDir folder;
    QProcess server;
    int port = 0;
    int tlsPort = 0;
};

// A real tinyproxy on a loopback port of the given address, optionally demanding Basic
// credentials, stopped by its process id when the object goes.
class Tinyproxy {
public:
    explicit Tinyproxy(std::optional<std::pair<QString, QString>> basicAuth = std::nullopt,
                       const QHostAddress &address = QHostAddress(QHostAddress::LocalHost));
    ~Tinyproxy();

    bool isRunning() const { return listening; }
    int port() const { return proxyPort; }

private:
    QTemporaryDir folder;
    QProcess proxy;
    int proxyPort = 0;
    bool listening = false;
};

// A loopback port that nothing listens on.
int unusedPort(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost));

} // namespace tervalo::test
