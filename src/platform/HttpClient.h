// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>
#include <stop_token>

namespace tervalo {

// Bounds on one HTTP transfer. A server that does not answer, trickles or sends too much ends
// the transfer with an error instead of holding the program.
struct TransferLimits {
    std::chrono::milliseconds connectTimeout{10000};
    std::chrono::milliseconds transferTimeout{30000};
    qint64 maxBodyBytes = 4 * 1024 * 1024;
    // The certificate authorities an HTTPS server must chain to, as a PEM file; empty: the
    // system's. Lets a test trust its own authority without touching the system's list.
    QString caBundle;
    // A stop ends the transfer at once, as failed: the program is ending.
    std::stop_token stop;
};

// What the client says about itself and what it asks for, on every request.
struct ClientHeaders {
    QByteArray userAgent = "Mozilla/3.0 (compatible; Indy Library)";
    QByteArray accept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
};

struct HttpAnswer {
    QByteArray body;
    QByteArray contentType;

    // The body as text. An XML media type is decoded as its document declares, whatever
    // charset the content type names (UTF-8 when the document declares none); any other by
    // the charset of the content type, else as UTF-8. Throws AppError for an unknown
    // charset or bytes not valid in it.
    QString text() const;
};

// A plain GET without a proxy and without headers of the program's own; a redirect or any
// status but success is an error.
HttpAnswer plainGet(const QString &address, const TransferLimits &limits);

// The program's HTTP/1.1 client: fixed request headers, cookies kept in memory for the life
// of the client, no redirects (a redirect is an error), and an HTTP proxy set per request
// with Basic credentials sent up front; an HTTPS address goes through the proxy in a CONNECT
// tunnel, whose request carries the credentials. Every failure, including any status but
// success, throws AppError.
class HttpClient {
public:
    explicit HttpClient(TransferLimits limits = {}, ClientHeaders identity = {});
    ~HttpClient();

    // An empty host means no proxy: the client connects to the server itself. The host is a
    // name or an address, an IPv6 address with or without its brackets.
    void setProxy(const QString &host, int port);
    void setBasicProxyAuthentication(bool on);
    // Kept while authentication is switched off, and sent again when it is switched on.
    void setProxyCredentials(const QString &user, const QString &password);

    HttpAnswer get(const QString &address);

private:
    struct Session;
    std::unique_ptr<Session> session;
};

} // namespace tervalo
