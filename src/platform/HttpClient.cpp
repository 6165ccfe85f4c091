// SPDX-License-Identifier: MIT
#include "platform/HttpClient.h"

#include "platform/AppError.h"
#include "platform/StoppableTransfer.h"
#include "platform/TextCodec.h"

#include <QRegularExpression>

#include <curl/curl.h>

namespace tervalo {

namespace {

using Easy = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

// Collects the body and stops the transfer once it grows past the limit.
struct BodySink {
    QByteArray body;
    qint64 limit = 0;
    bool tooLarge = false;

    static size_t write(char *data, size_t size, size_t count, void *self)
    {
        auto *sink = static_cast<BodySink *>(self);
        const size_t bytes = size * count;
        if (sink->body.size() + static_cast<qint64>(bytes) > sink->limit) {
            sink->tooLarge = true;
            return 0; // aborts the transfer
        }
        sink->body.append(data, static_cast<qsizetype>(bytes));
        return bytes;
    }
};

void setLimits(CURL *curl, const TransferLimits &limits)
{
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(limits.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.transferTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    // curl copies the text, so the temporary goes at once.
    if (!limits.caBundle.isEmpty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, limits.caBundle.toLocal8Bit().constData());
}

// Performs the prepared request and turns every kind of failure into an AppError.
HttpAnswer perform(CURL *curl, const QString &address, const TransferLimits &limits)
{
    const QByteArray url = address.toUtf8();
    BodySink sink;
    sink.limit = limits.maxBodyBytes;
    char reason[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &BodySink::write);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, reason);
    const CURLcode result = performUnlessStopped(curl, limits.stop);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);

    if (sink.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
        throw AppError(QStringLiteral("The answer from %1 is larger than %2 bytes")
                           .arg(address)
                           .arg(limits.maxBodyBytes));
    if (result != CURLE_OK) {
        const QString why = QString::fromUtf8(*reason ? reason : curl_easy_strerror(result));
        throw AppError(QStringLiteral("%1: %2").arg(address, why));
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299)
        throw AppError(QStringLiteral("%1: HTTP status %2").arg(address).arg(status));
    const char *contentType = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &contentType);
    return {sink.body, QByteArray(contentType ? contentType : "")};
}

QByteArray charsetOf(const QByteArray &contentType)
{
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*\"?([^\";\\s]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return charset.match(QString::fromLatin1(contentType)).captured(1).toLatin1();
}

// text/xml, application/xml and the types named with the suffix +xml.
bool isXmlMediaType(const QByteArray &contentType)
{
    const QByteArray type = contentType.split(';').constFirst().trimmed().toLower();
    return type == "text/xml" || type == "application/xml" || type.endsWith("+xml");
}

// An IPv6 address goes into an address in brackets, or its colons would read as the port's.
QString hostInAddress(const QString &host)
{
    const bool bareIpv6 = host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('['));
    return bareIpv6 ? QLatin1Char('[') + host + QLatin1Char(']') : host;
}

} // namespace

QString HttpAnswer::text() const
{
    // An XML document says itself how it is encoded, and the parser of the direct road
    // believes it over the header; so does this road, or the two would read it differently.
    if (isXmlMediaType(contentType)) {
        if (std::optional<QString> decoded = decodeXmlDocument(body))
            return *decoded;
        throw AppError(QStringLiteral("The XML answer is not valid text in its own encoding"));
    }
    QByteArray charset = charsetOf(contentType);
    if (charset.isEmpty())
        charset = "UTF-8";
    if (std::optional<QString> decoded = decodeText(body, charset))
        return *decoded;
    throw AppError(
        QStringLiteral("The answer is not valid %1 text").arg(QString::fromLatin1(charset)));
}

HttpAnswer plainGet(const QString &address, const TransferLimits &limits)
{
    Easy curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        throw AppError(QStringLiteral("The HTTP client cannot be started"));
    setLimits(curl.get(), limits);
    curl_easy_setopt(curl.get(), CURLOPT_PROXY, "");
    return perform(curl.get(), address, limits);
}

struct HttpClient::Session {
    Easy curl{curl_easy_init(), curl_easy_cleanup};
    HeaderList headers{nullptr, curl_slist_free_all};
    TransferLimits limits;
    QByteArray userAgent;
    QByteArray proxy;
    bool basicAuthentication = false;
    QByteArray user;
    QByteArray password;
};

HttpClient::HttpClient(TransferLimits limits, ClientHeaders identity)
    : session(std::make_unique<Session>())
{
    session->limits = limits;
    session->userAgent = identity.userAgent;
    CURL *curl = session->curl.get();
    if (!curl)
        return;
    curl_slist *headers = curl_slist_append(nullptr, ("Accept: " + identity.accept).constData());
    headers = curl_slist_append(headers, "Accept-Encoding: identity");
    session->headers.reset(headers);
    setLimits(curl, limits);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, session->userAgent.constData());
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, ""); // cookies in memory only
    curl_easy_setopt(curl, CURLOPT_HTTPPROXYTUNNEL, 0L);
    // The proxy set here is the only one: none from the environment, no exceptions to it.
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "");
}

HttpClient::~HttpClient() = default;

void HttpClient::setProxy(const QString &host, int port)
{
    session->proxy =
        host.isEmpty() ? QByteArray()
                       : QStringLiteral("http://%1:%2").arg(hostInAddress(host)).arg(port).toUtf8();
}

void HttpClient::setBasicProxyAuthentication(bool on)
{
    session->basicAuthentication = on;
}

void HttpClient::setProxyCredentials(const QString &user, const QString &password)
{
    session->user = user.toUtf8();
    session->password = password.toUtf8();
}

HttpAnswer HttpClient::get(const QString &address)
{
    CURL *curl = session->curl.get();
    if (!curl)
        throw AppError(QStringLiteral("The HTTP client cannot be started"));
    curl_easy_setopt(curl, CURLOPT_PROXY, session->proxy.constData());
    const bool sendCredentials = session->basicAuthentication && !session->proxy.isEmpty();
    // With Basic as the only scheme allowed, curl sends the credentials with the first request.
    curl_easy_setopt(curl, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME,
                     sendCredentials ? session->user.constData() : nullptr);
    curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD,
                     sendCredentials ? session->password.constData() : nullptr);
    return perform(curl, address, session->limits);
}

} // namespace tervalo
