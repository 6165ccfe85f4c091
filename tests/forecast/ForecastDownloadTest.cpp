// SPDX-License-Identifier: MIT
#include "support/LoopbackServices.h"
#include "support/WidgetHarness.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

const MessageBox ForecastUnavailable{QStringLiteral("Невозможно получить прогноз."),
                                     QStringLiteral("Confirm"), MessageIcon::Question};

// Short bounds, so the tests of a silent server end quickly.
TransferLimits testLimits()
{
    TransferLimits limits;
    limits.connectTimeout = std::chrono::milliseconds(2000);
    limits.transferTimeout = std::chrono::milliseconds(2000);
    return limits;
}

class ForecastDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service.isRunning()) << "the loopback forecast service did not start";
    }

    TAppSettings &settings() { return harness.shared.AppSettings; }
    TForm1 &form() { return *harness.form; }
    void town(const char *id) { settings().CityID = QLatin1String(id); }
    // The proxy road through the given proxy; port 0 with an empty host: no proxy at all.
    void useProxy(const QString &host, int port)
    {
        settings().ProxyUse = true;
        settings().ProxyHost = host;
        settings().ProxyPort = port;
    }
    void useLoopbackServiceAsProxy()
    {
        useProxy(QStringLiteral("127.0.0.1"), service.endpoints().probePort);
    }
    void useCredentials(const char *user, const char *password)
    {
        settings().ProxyPublic = true;
        settings().ProxyUser = QLatin1String(user);
        settings().ProxyPass = QLatin1String(password);
    }
    bool failed() const { return !harness.platform.messages.empty(); }
    void expectOneFailureReaction()
    {
        ASSERT_EQ(harness.platform.messages.size(), 1u);
        EXPECT_EQ(harness.platform.messages[0], ForecastUnavailable);
        EXPECT_FALSE(form().AutoUpdate->isEnabled());
        EXPECT_TRUE(form().UpdateInClock->isVisible()) << "the clock-only face";
        EXPECT_EQ(harness.shared.LastUpdateTime, QStringLiteral("earlier"));
    }
    void resetOutcome()
    {
        harness.platform.messages.clear();
        harness.shared.LastUpdateTime = QStringLiteral("earlier");
        form().AutoUpdate->setEnabled(true);
    }

    // Fetches the forecast through a tinyproxy that wants "ivan" and "s3cret": with the
    // right credentials, a wrong password, and none.
    void expectOnlyTheRightCredentialsPass(const test::Tinyproxy &proxy)
    {
        struct Case {
            const char *what;
            bool privateProxy;
            const char *password;
            bool succeeds;
        };
        const Case cases[] = {{"right credentials", true, "s3cret", true},
                              {"wrong password", true, "wrong", false},
                              {"no credentials", false, "", false}};
        for (const Case &c : cases) {
            SCOPED_TRACE(c.what);
            resetOutcome();
            form().TemLabel->setText(QStringLiteral("before"));
            useProxy(QStringLiteral("127.0.0.1"), proxy.port());
            useCredentials("ivan", c.password);
            settings().ProxyPublic = c.privateProxy;
            form().GetWeather();
            if (c.succeeds) {
                EXPECT_FALSE(failed());
                EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
            } else {
                expectOneFailureReaction();
                EXPECT_EQ(form().TemLabel->text(), QStringLiteral("before"));
            }
        }
    }

    test::LoopbackForecastService service;
    test::WidgetHarness harness{service.endpoints(testLimits())};
};

TEST_F(ForecastDownloadTest, TheDirectRoadFetchesAndReadsWithPlainRequests)
{
    town("27612");
    form().GetWeather();
    EXPECT_FALSE(failed());
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_EQ(form().FifthMin->text(), QStringLiteral("-4"));
    EXPECT_EQ(harness.shared.LastUpdateTime, QStringLiteral("12:00:00"));
    EXPECT_TRUE(harness.shared.ForecastXml.isEmpty()) << "only the proxy road keeps the body";

    const std::vector<test::ReceivedRequest> requests = service.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].line, QStringLiteral("GET /weather-ng/forecasts/27612.xml HTTP/1.1"));
    EXPECT_NE(requests[0].header(QStringLiteral("User-Agent")),
              QStringLiteral("Mozilla/3.0 (compatible; Indy Library)"));
    EXPECT_EQ(requests[0].header(QStringLiteral("Accept-Encoding")), std::nullopt);
    EXPECT_EQ(requests[0].header(QStringLiteral("Accept")), QStringLiteral("*/*"));
}

TEST_F(ForecastDownloadTest, TheProxyRoadSendsTheClientsRequestInAbsoluteForm)
{
    town("27612");
    useLoopbackServiceAsProxy();
    form().GetWeather();
    EXPECT_FALSE(failed());
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_TRUE(harness.shared.ForecastXml.contains(
        QStringLiteral("<weather_type>облачно, временами снег")));

    const std::vector<test::ReceivedRequest> requests = service.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].line,
              QStringLiteral("GET %1/weather-ng/forecasts/27612.xml HTTP/1.1").arg(service.root()));
    EXPECT_EQ(requests[0].header(QStringLiteral("Accept")),
              QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
    EXPECT_EQ(requests[0].header(QStringLiteral("User-Agent")),
              QStringLiteral("Mozilla/3.0 (compatible; Indy Library)"));
    EXPECT_EQ(requests[0].header(QStringLiteral("Accept-Encoding")), QStringLiteral("identity"));
    EXPECT_EQ(requests[0].header(QStringLiteral("Proxy-Authorization")), std::nullopt);

    town("malformed");
    form().GetWeather();
    EXPECT_TRUE(failed());
    EXPECT_TRUE(harness.shared.ForecastXml.contains(QStringLiteral("<forecast><fact></forecast>")))
        << "the body is kept when only its parsing failed";
}

TEST_F(ForecastDownloadTest, ProxyCredentialsGoWithTheFirstRequestOnlyWhenPrivate)
{
    town("27612");
    useLoopbackServiceAsProxy();
    useCredentials("ivan", "secret");
    form().GetWeather();
    useCredentials("ivan", "");
    form().GetWeather();
    settings().ProxyPublic = false; // the credentials stay in the client, switched off
    form().GetWeather();

    const std::vector<test::ReceivedRequest> requests = service.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].header(QStringLiteral("Proxy-Authorization")),
              QStringLiteral("Basic ") + QString::fromLatin1(QByteArray("ivan:secret").toBase64()));
    EXPECT_EQ(requests[1].header(QStringLiteral("Proxy-Authorization")),
              QStringLiteral("Basic ") + QString::fromLatin1(QByteArray("ivan:").toBase64()));
    EXPECT_EQ(requests[2].header(QStringLiteral("Proxy-Authorization")), std::nullopt);
    EXPECT_FALSE(failed());
}

TEST_F(ForecastDownloadTest, BuildsTheSameAddressOnBothRoads)
{
    struct Case {
        const char *id;
        const char *path;
    };
    const Case cases[] = {{"123", "/weather-ng/forecasts/123.xml"},
                          {"", "/weather-ng/forecasts/.xml"},
                          {"1 2/3", "/weather-ng/forecasts/1%202%2F3.xml"}};
    for (const bool proxyRoad : {false, true}) {
        settings().ProxyUse = false;
        if (proxyRoad)
            useLoopbackServiceAsProxy();
        for (const Case &c : cases) {
            town(c.id);
            form().GetWeather();
        }
    }
    const std::vector<test::ReceivedRequest> requests = service.requests();
    ASSERT_EQ(requests.size(), 6u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(requests[i].line,
                  QStringLiteral("GET %1 HTTP/1.1").arg(QLatin1String(cases[i].path)));
        EXPECT_EQ(
            requests[i + 3].line,
            QStringLiteral("GET %1%2 HTTP/1.1").arg(service.root(), QLatin1String(cases[i].path)));
    }
}

TEST_F(ForecastDownloadTest, TheClientKeepsCookiesAndTheProxyRoadWorksWithoutAProxy)
{
    useProxy(QString(), 0); // no proxy host: the client goes to the service itself
    town("cookie");
    form().GetWeather();
    town("27612");
    form().GetWeather();
    EXPECT_FALSE(failed());
    const std::vector<test::ReceivedRequest> requests = service.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].line, QStringLiteral("GET /weather-ng/forecasts/cookie.xml HTTP/1.1"));
    EXPECT_EQ(requests[0].header(QStringLiteral("User-Agent")),
              QStringLiteral("Mozilla/3.0 (compatible; Indy Library)"));
    EXPECT_EQ(requests[1].header(QStringLiteral("Cookie")), QStringLiteral("session=tervalo42"));
}

TEST_F(ForecastDownloadTest, BothRoadsReadADocumentInTheEncodingItDeclares)
{
    const char *towns[] = {
        "cp1251",               // windows-1251, declared so, no charset in the header
        "cp1251_as_utf8",       // the same, with "charset=utf-8" in the header
        "undeclared_as_cp1251", // UTF-8 without a declaration, "charset=windows-1251"
        "utf16",                // UTF-16 with a byte-order mark
    };
    test::Tinyproxy proxy;
    ASSERT_TRUE(proxy.isRunning()) << "tinyproxy did not start";
    for (const bool proxyRoad : {false, true}) {
        settings().ProxyUse = false;
        if (proxyRoad)
            useProxy(QStringLiteral("127.0.0.1"), proxy.port());
        for (const char *id : towns) {
            SCOPED_TRACE(std::string(proxyRoad ? "proxy road, " : "direct road, ") + id);
            resetOutcome();
            harness.shared.FactWeatherType.clear();
            harness.shared.StationName.clear();
            town(id);
            form().GetWeather();
            EXPECT_FALSE(failed());
            EXPECT_EQ(harness.shared.FactWeatherType, QStringLiteral("облачно, временами снег"));
            EXPECT_EQ(harness.shared.StationName, QStringLiteral("Москва (ВДНХ)"));
        }
    }
}

TEST_F(ForecastDownloadTest, EveryFailureEndsInTheOneReaction)
{
    const char *towns[] = {"status500", "redirect", "html",      "malformed",    "empty",
                           "huge",      "nowhere",  "shapeless", "unboundprefix"};
    for (const bool proxyRoad : {false, true}) {
        settings().ProxyUse = false;
        if (proxyRoad)
            useProxy(QString(), 0);
        for (const char *id : towns) {
            SCOPED_TRACE(std::string(proxyRoad ? "proxy road, " : "direct road, ") + id);
            resetOutcome();
            const size_t requestsBefore = service.requests().size();
            town(id);
            form().GetWeather();
            expectOneFailureReaction();
            EXPECT_EQ(service.requests().size(), requestsBefore + 1)
                << "one request, no redirect followed";
        }
    }
}

TEST_F(ForecastDownloadTest, AShapelessDocumentFailsAfterTheEarlierLabels)
{
    resetOutcome();
    town("shapeless");
    form().GetWeather();
    expectOneFailureReaction();
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("5°"))
        << "written before the days were sought";
    EXPECT_EQ(form().CurrentMax->text(), QStringLiteral("+99"));
}

TEST_F(ForecastDownloadTest, ASilentOrTricklingServerEndsWithinTheTimeOut)
{
    for (const char *id : {"silent", "slow"}) {
        SCOPED_TRACE(id);
        resetOutcome();
        town(id);
        QElapsedTimer elapsed;
        elapsed.start();
        form().GetWeather();
        EXPECT_LT(elapsed.elapsed(), 6000);
        expectOneFailureReaction();
    }
}

// An end of the program (a signal, the session's end) while the network is awaited stops the
// transfer at once, whatever the road and however long the answer would take, and nothing is
// shown on the way out.
TEST_F(ForecastDownloadTest, AnEndOfTheProgramStopsEveryTransferAtOnce)
{
    test::Tinyproxy proxy;
    ASSERT_TRUE(proxy.isRunning());
    struct Case {
        const char *what;
        int source;
        bool throughTheProxy;
        bool versionCheck;
    };
    const Case cases[] = {
        {"the export, directly", forecast_source::XmlExport, false, false},
        {"the export, through a proxy", forecast_source::XmlExport, true, false},
        {"Open-Meteo, directly", forecast_source::OpenMeteo, false, false},
        {"Open-Meteo, through a proxy", forecast_source::OpenMeteo, true, false},
        {"the version document", forecast_source::XmlExport, false, true},
    };
    TransferLimits patient;
    patient.transferTimeout = std::chrono::seconds(20);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        test::WidgetHarness ending(service.endpoints(patient));
        ending.service.openMeteoForecast =
            service.secureRoot() + QStringLiteral("/slow/v1/forecast");
        ending.service.versionDocument =
            service.root() + QStringLiteral("/weather-ng/forecasts/slow.xml");
        TAppSettings &settings = ending.shared.AppSettings;
        settings.ForecastSource = c.source;
        // Open-Meteo is asked for a place the station table knows; its slowness is in the address.
        settings.CityID = QLatin1String(c.source == forecast_source::OpenMeteo ? "27612" : "slow");
        settings.ProxyUse = c.throughTheProxy;
        settings.ProxyHost = QStringLiteral("127.0.0.1");
        settings.ProxyPort = proxy.port();
        ending.form->TemLabel->setText(QStringLiteral("before"));
        QElapsedTimer sinceTheEnd;
        QTimer::singleShot(500, [&] {
            ending.network.abandon();
            sinceTheEnd.start();
        });
        EXPECT_THROW(c.versionCheck ? ending.form->CheckVerInf() : ending.form->GetWeather(),
                     ProgramEnding);
        ASSERT_TRUE(sinceTheEnd.isValid()) << "the transfer did not wait";
        EXPECT_LT(sinceTheEnd.elapsed(), 250);
        EXPECT_TRUE(ending.platform.messages.empty());
        EXPECT_EQ(ending.form->TemLabel->text(), QStringLiteral("before"));
        EXPECT_THROW(ending.form->GetWeather(), ProgramEnding) << "no transfer starts after";
    }
}

TEST_F(ForecastDownloadTest, AnUnreachableProxyGivesOneMessage)
{
    resetOutcome();
    town("27612");
    useProxy(QStringLiteral("127.0.0.1"), test::unusedPort());
    form().GetWeather();
    expectOneFailureReaction();
    EXPECT_TRUE(service.requests().empty());
}

TEST_F(ForecastDownloadTest, ARealProxyWithBasicAuthentication)
{
    test::Tinyproxy proxy({{QStringLiteral("ivan"), QStringLiteral("s3cret")}});
    ASSERT_TRUE(proxy.isRunning()) << "tinyproxy did not start";
    town("27612");
    expectOnlyTheRightCredentialsPass(proxy);
    EXPECT_EQ(service.requests().size(), 1u)
        << "only the authenticated request reached the service";
}

TEST_F(ForecastDownloadTest, ARealProxyWithoutAuthenticationAtEachFormOfItsAddress)
{
    struct Case {
        const char *host;
        QHostAddress::SpecialAddress listensOn;
    };
    const Case cases[] = {{"127.0.0.1", QHostAddress::LocalHost},
                          {"::1", QHostAddress::LocalHostIPv6},
                          {"[::1]", QHostAddress::LocalHostIPv6}};
    town("27612");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.host);
        test::Tinyproxy proxy(std::nullopt, QHostAddress(c.listensOn));
        ASSERT_TRUE(proxy.isRunning()) << "tinyproxy did not start";
        resetOutcome();
        form().TemLabel->setText(QStringLiteral("before"));
        useProxy(QLatin1String(c.host), proxy.port());
        form().GetWeather();
        EXPECT_FALSE(failed());
        EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    }
    const std::vector<test::ReceivedRequest> requests = service.requests();
    ASSERT_EQ(requests.size(), std::size(cases));
    for (const test::ReceivedRequest &request : requests)
        EXPECT_EQ(request.line, QStringLiteral("GET /weather-ng/forecasts/27612.xml HTTP/1.1"));
}

// Open-Meteo: HTTPS to the stand-in, whose certificate comes from an authority only the test
// trusts.
class OpenMeteoDownloadTest : public ForecastDownloadTest {
protected:
    void SetUp() override
    {
        ForecastDownloadTest::SetUp();
        settings().ForecastSource = forecast_source::OpenMeteo;
        town("27612");
    }
    // The stand-in misbehaves as the path before its endpoint says.
    void answerFrom(const char *choice)
    {
        harness.service.openMeteoForecast =
            service.secureRoot() + QLatin1String(choice) + QStringLiteral("/v1/forecast");
    }
    std::vector<test::ReceivedRequest> forecastRequests() const
    {
        std::vector<test::ReceivedRequest> found;
        for (const test::ReceivedRequest &request : service.requests()) {
            if (request.line.contains(QLatin1String("/v1/forecast")) ||
                request.line.startsWith(QLatin1String("CONNECT")))
                found.push_back(request);
        }
        return found;
    }
};

TEST_F(OpenMeteoDownloadTest, FetchesOverHttpsAndNamesTheProgram)
{
    form().GetWeather();
    EXPECT_FALSE(failed());
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_EQ(harness.shared.DayWeatherTypes[4], QStringLiteral("облачно, дождь"));
    EXPECT_EQ(harness.shared.LastUpdateTime, QStringLiteral("12:00:00"));

    const std::vector<test::ReceivedRequest> requests = forecastRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].line.startsWith(
        QStringLiteral("GET /v1/forecast?latitude=55.8333&longitude=37.6167&")))
        << requests[0].line.toStdString();
    EXPECT_EQ(requests[0].header(QStringLiteral("User-Agent")),
              QStringLiteral("Tervalo/2.2 (+%1)").arg(harness.service.programSite));
    EXPECT_EQ(requests[0].header(QStringLiteral("Accept")), QStringLiteral("application/json"));
}

// A place from the place search wins over the town's station, and needs no station at all; one
// coordinate alone is no place.
TEST_F(OpenMeteoDownloadTest, AChosenPlaceIsAskedForInsteadOfTheStation)
{
    const struct {
        const char *what;
        const char *town;
        const char *latitude;
        const char *longitude;
        const char *query;
    } cases[] = {
        {"a chosen place", "27612", "60.70763", "28.75283",
         "latitude=60.70763&longitude=28.75283&"},
        {"a place far from any station", "status500", "-54.8", "-68.3",
         "latitude=-54.8&longitude=-68.3&"},
        {"a latitude alone", "27612", "60.70763", "", "latitude=55.8333&longitude=37.6167&"},
        {"a longitude alone", "27612", "", "28.75283", "latitude=55.8333&longitude=37.6167&"},
        {"a value edited by hand", "27612", "1&daily=x", "2 ",
         "latitude=1%26daily%3Dx&longitude=2%20&"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        resetOutcome();
        town(c.town);
        settings().PlaceLatitude = QLatin1String(c.latitude);
        settings().PlaceLongitude = QLatin1String(c.longitude);
        form().GetWeather();
        EXPECT_FALSE(failed());
        const std::vector<test::ReceivedRequest> requests = forecastRequests();
        ASSERT_FALSE(requests.empty());
        EXPECT_TRUE(requests.back().line.startsWith(QStringLiteral("GET /v1/forecast?") +
                                                    QLatin1String(c.query)))
            << requests.back().line.toStdString();
    }
}

TEST_F(OpenMeteoDownloadTest, EveryFailureEndsInTheOneReaction)
{
    struct Case {
        const char *what;
        const char *town;
        const char *choice;
        int requests;
    };
    const Case cases[] = {
        {"an error status", "27612", "/status400", 1},
        {"the rate limit", "27612", "/status429", 1},
        {"a redirect", "27612", "/redirect", 1},
        {"an HTML page", "27612", "/html", 1},
        {"truncated JSON", "27612", "/truncated", 1},
        {"JSON without the current weather", "27612", "/fixture/nocurrent", 1},
        {"an answer over the size bound", "27612", "/huge", 1},
        {"no such endpoint", "27612", "/nowhere", 1},
        {"a town not in the table at all", "status500", "", 0},
    };
    for (const bool proxyRoad : {false, true}) {
        settings().ProxyUse = false;
        if (proxyRoad)
            useProxy(QString(), 0);
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(proxyRoad ? "proxy road, " : "direct road, ") + c.what);
            resetOutcome();
            const size_t requestsBefore = forecastRequests().size();
            town(c.town);
            answerFrom(c.choice);
            form().GetWeather();
            expectOneFailureReaction();
            EXPECT_EQ(forecastRequests().size(), requestsBefore + c.requests);
        }
    }
}

TEST_F(OpenMeteoDownloadTest, OnlyTheGivenAuthorityIsTrusted)
{
    harness.service.limits.caBundle.clear(); // the system's authorities
    resetOutcome();
    form().GetWeather();
    expectOneFailureReaction();
    EXPECT_TRUE(forecastRequests().empty()) << "no request after a failed handshake";

    // Plain HTTP to the HTTPS port is no answer either.
    harness.service.limits.caBundle = service.authority();
    harness.service.openMeteoForecast =
        QStringLiteral("http://127.0.0.1:%1/v1/forecast").arg(service.securePort());
    resetOutcome();
    form().GetWeather();
    expectOneFailureReaction();
}

TEST_F(OpenMeteoDownloadTest, ASlowAnswerEndsWithinTheTimeOut)
{
    answerFrom("/slow");
    resetOutcome();
    QElapsedTimer elapsed;
    elapsed.start();
    form().GetWeather();
    EXPECT_LT(elapsed.elapsed(), 6000);
    expectOneFailureReaction();
}

// The credentials go with the tunnel's first request: the stand-in records the CONNECT and
// refuses it, so a client that waited for a challenge would send none.
TEST_F(OpenMeteoDownloadTest, TheProxyGetsACONNECTWithTheCredentialsUpFront)
{
    useLoopbackServiceAsProxy();
    useCredentials("ivan", "secret");
    resetOutcome();
    form().GetWeather();
    expectOneFailureReaction();
    const std::vector<test::ReceivedRequest> requests = forecastRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].line,
              QStringLiteral("CONNECT 127.0.0.1:%1 HTTP/1.1").arg(service.securePort()));
    EXPECT_EQ(requests[0].header(QStringLiteral("Proxy-Authorization")),
              QStringLiteral("Basic ") + QString::fromLatin1(QByteArray("ivan:secret").toBase64()));
}

TEST_F(OpenMeteoDownloadTest, ThroughARealProxyWithBasicAuthentication)
{
    test::Tinyproxy proxy({{QStringLiteral("ivan"), QStringLiteral("s3cret")}});
    ASSERT_TRUE(proxy.isRunning()) << "tinyproxy did not start";
    expectOnlyTheRightCredentialsPass(proxy);
    const std::vector<test::ReceivedRequest> requests = forecastRequests();
    ASSERT_EQ(requests.size(), 1u) << "only the authenticated tunnel reached the service";
    EXPECT_TRUE(requests[0].line.startsWith(QStringLiteral("GET /v1/forecast?")))
        << "the request went through the tunnel, not in absolute form";
}

} // namespace
} // namespace tervalo
