// SPDX-License-Identifier: MIT
#include "forecast/PlaceSearch.h"
#include "platform/AppError.h"
#include "platform/HttpClient.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"
#include "support/QtPrinting.h"

#include <QElapsedTimer>
#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

QByteArray fixture(const char *name)
{
    return test::readFileBytes(
        QStringLiteral(TERVALO_SOURCE_DIR "/tests/forecast/fixtures/geocoding/") +
        QLatin1String(name) + QStringLiteral(".json"));
}

// An answer holding the given results, written as the service writes them.
QByteArray answerOf(const QByteArray &results)
{
    return R"({"results":[)" + results + R"(],"generationtime_ms":0.9})";
}

QStringList entryTexts(const std::vector<FoundPlace> &places)
{
    QStringList texts;
    for (const FoundPlace &place : places)
        texts.append(place.entryText);
    return texts;
}

TEST(PlaceSearchAnswers, APlaceIsItsNameRegionCountryAndId)
{
    const std::vector<FoundPlace> places = foundPlaces(fixture("vyborg"));
    const FoundPlace vyborg{QStringLiteral("470546"),
                            QStringLiteral("Выборг"),
                            QStringLiteral("Выборг, Ленинградская область, Россия - 470546"),
                            {QStringLiteral("60.70763"), QStringLiteral("28.75283")}};
    EXPECT_EQ(places, std::vector<FoundPlace>{vyborg});
}

TEST(PlaceSearchAnswers, TheEntryLeavesOutWhatTheServiceLeftOut)
{
    const struct {
        const char *what;
        QByteArray result;
        QString entry;
    } cases[] = {
        {"no region",
         R"({"id":2993458,"name":"Монако","latitude":43.73,"longitude":7.42,"country":"Монако"})",
         QStringLiteral("Монако, Монако - 2993458")},
        {"no country", R"({"id":7,"name":"Остров","latitude":1,"longitude":2,"admin1":"Край"})",
         QStringLiteral("Остров, Край - 7")},
        {"neither", R"({"id":8,"name":"Мыс","latitude":1,"longitude":2})",
         QStringLiteral("Мыс - 8")},
        {"empty texts count as left out",
         R"({"id":9,"name":"Бор","latitude":1,"longitude":2,"admin1":"","country":" "})",
         QStringLiteral("Бор - 9")},
        {"markup is text",
         R"({"id":10,"name":"<b>x</b>","latitude":1,"longitude":2,"country":"<i>&amp;</i>"})",
         QStringLiteral("<b>x</b>, <i>&amp;</i> - 10")},
        {"a line break would split the entry",
         R"({"id":11,"name":"Новое\nСело","latitude":1,"longitude":2,"country":"Россия\t"})",
         QStringLiteral("Новое Село, Россия - 11")},
    };
    for (const auto &c : cases) {
        const std::vector<FoundPlace> places = foundPlaces(answerOf(c.result));
        ASSERT_EQ(places.size(), 1u) << c.what;
        EXPECT_EQ(places[0].entryText, c.entry) << c.what;
        EXPECT_TRUE(places[0].entryText.startsWith(places[0].name)) << c.what;
    }
}

TEST(PlaceSearchAnswers, SameNamedPlacesOfOneRegionAreToldApartByTheirDistrict)
{
    EXPECT_EQ(entryTexts(foundPlaces(fixture("nikolskoye"))),
              (QStringList{
                  QStringLiteral("Никольское, Ленинградская область, Тосненский район, Россия - "
                                 "523812"),
                  QStringLiteral("Никольское, Камчатский край, Россия - 2122090"),
                  QStringLiteral("Никольское, Ленинградская область, Подпорожский район, Россия - "
                                 "523822"),
                  QStringLiteral("Никольское, Москва, Россия - 523836"),
              }));

    // One district for both tells nothing; a place without one keeps its entry short, while
    // the other still names its own.
    const QByteArray sameDistrict =
        R"({"id":1,"name":"Ям","latitude":1,"longitude":2,"admin1":"Край","admin2":"Район"},)"
        R"({"id":2,"name":"Ям","latitude":1,"longitude":3,"admin1":"Край","admin2":"Район"},)"
        R"({"id":3,"name":"Ям","latitude":1,"longitude":4,"admin1":"Край"},)"
        R"({"id":4,"name":"Ям","latitude":1,"longitude":5,"admin1":"Край","admin2":"Другой"})";
    EXPECT_EQ(
        entryTexts(foundPlaces(answerOf(sameDistrict))),
        (QStringList{QStringLiteral("Ям, Край, Район - 1"), QStringLiteral("Ям, Край, Район - 2"),
                     QStringLiteral("Ям, Край - 3"), QStringLiteral("Ям, Край, Другой - 4")}));

    // Another country's region of the same name is another place already.
    const QByteArray twoCountries =
        R"({"id":5,"name":"Ям","latitude":1,"longitude":2,"admin1":"Край","admin2":"А","country":"Россия"},)"
        R"({"id":6,"name":"Ям","latitude":1,"longitude":2,"admin1":"Край","admin2":"Б","country":"Беларусь"})";
    EXPECT_EQ(entryTexts(foundPlaces(answerOf(twoCountries))),
              (QStringList{QStringLiteral("Ям, Край, Россия - 5"),
                           QStringLiteral("Ям, Край, Беларусь - 6")}));
}

TEST(PlaceSearchAnswers, EntriesWithoutAnIdANameOrAPlaceOnEarthAreLeftOut)
{
    const QByteArray good =
        R"({"id":470546,"name":"Выборг","latitude":60.70763,"longitude":28.75283})";
    const struct {
        const char *what;
        QByteArray result;
    } cases[] = {
        {"no id", R"({"name":"Ям","latitude":1,"longitude":2})"},
        {"a zero id", R"({"id":0,"name":"Ям","latitude":1,"longitude":2})"},
        {"a negative id", R"({"id":-5,"name":"Ям","latitude":1,"longitude":2})"},
        {"a fractional id", R"({"id":1.5,"name":"Ям","latitude":1,"longitude":2})"},
        {"an id as text", R"({"id":"12","name":"Ям","latitude":1,"longitude":2})"},
        {"no name", R"({"id":12,"latitude":1,"longitude":2})"},
        {"an empty name", R"({"id":12,"name":"","latitude":1,"longitude":2})"},
        {"a blank name", R"({"id":12,"name":" \n","latitude":1,"longitude":2})"},
        {"a name that is no text", R"({"id":12,"name":5,"latitude":1,"longitude":2})"},
        {"no latitude", R"({"id":12,"name":"Ям","longitude":2})"},
        {"no longitude", R"({"id":12,"name":"Ям","latitude":1})"},
        {"a null latitude", R"({"id":12,"name":"Ям","latitude":null,"longitude":2})"},
        {"a latitude as text", R"({"id":12,"name":"Ям","latitude":"1","longitude":2})"},
        {"a latitude above the pole", R"({"id":12,"name":"Ям","latitude":90.0001,"longitude":2})"},
        {"a latitude below the pole", R"({"id":12,"name":"Ям","latitude":-91,"longitude":2})"},
        {"a longitude past 180", R"({"id":12,"name":"Ям","latitude":1,"longitude":180.5})"},
        {"a longitude past -180", R"({"id":12,"name":"Ям","latitude":1,"longitude":-181})"},
        {"a result that is no object", R"("Ям")"},
    };
    for (const auto &c : cases) {
        const std::vector<FoundPlace> places = foundPlaces(answerOf(c.result + ',' + good));
        ASSERT_EQ(places.size(), 1u) << c.what;
        EXPECT_EQ(places[0].id, QStringLiteral("470546")) << c.what;
    }
    // The edges of the earth are on it.
    const std::vector<FoundPlace> edges =
        foundPlaces(answerOf(R"({"id":1,"name":"Север","latitude":90,"longitude":-180},)"
                             R"({"id":2,"name":"Юг","latitude":-90,"longitude":180})"));
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_EQ(edges[0].place, (Coordinates{QStringLiteral("90"), QStringLiteral("-180")}));
    EXPECT_EQ(edges[1].place, (Coordinates{QStringLiteral("-90"), QStringLiteral("180")}));
}

// The coordinates go into the forecast request and the settings file as plain decimals.
TEST(PlaceSearchAnswers, CoordinatesAreDecimalTextWithoutAnExponent)
{
    const struct {
        const char *json;
        const char *text;
    } cases[] = {
        {"60.70763", "60.70763"},
        {"-33.86785", "-33.86785"},
        {"-179.99999", "-179.99999"},
        {"0.00001", "0.00001"},
        {"1e-5", "0.00001"},
        {"-0.0", "0"},
        {"45", "45"},
        {"12.5e1", "125"},
    };
    for (const auto &c : cases) {
        const QByteArray result =
            QByteArray(R"({"id":1,"name":"Ям","latitude":1,"longitude":)") + c.json + '}';
        const std::vector<FoundPlace> places = foundPlaces(answerOf(result));
        ASSERT_EQ(places.size(), 1u) << c.json;
        EXPECT_EQ(places[0].place.longitude, QLatin1String(c.text)) << c.json;
    }
}

TEST(PlaceSearchAnswers, NothingFoundGivesNoPlaces)
{
    EXPECT_TRUE(foundPlaces(fixture("none")).empty());
    EXPECT_TRUE(foundPlaces(R"({"results":[],"generationtime_ms":0.5})").empty());
}

TEST(PlaceSearchAnswers, AnAnswerOfAnotherShapeIsAnError)
{
    const QByteArray vyborg = fixture("vyborg");
    const struct {
        const char *what;
        QByteArray answer;
    } cases[] = {
        {"nothing", ""},
        {"not JSON", "<html><body>Сервис недоступен</body></html>"},
        {"cut short", vyborg.left(vyborg.size() / 2)},
        {"a list", R"([{"id":470546,"name":"Выборг","latitude":60.7,"longitude":28.7}])"},
        {"a text", R"("results")"},
        {"results not a list", R"({"results":{"id":1}})"},
        {"results a text", R"({"results":"Выборг"})"},
        {"results null", R"({"results":null})"},
        {"the service's error", R"({"error":true,"reason":"Invalid value for count"})"},
    };
    for (const auto &c : cases)
        EXPECT_THROW(foundPlaces(c.answer), AppError) << c.what;
}

TEST(PlaceSearchRequest, AsksForTheTypedNameInRussian)
{
    const struct {
        QString name;
        const char *encoded;
    } cases[] = {
        {QStringLiteral("Выборг"), "%D0%92%D1%8B%D0%B1%D0%BE%D1%80%D0%B3"},
        {QStringLiteral("Нижний Новгород"),
         "%D0%9D%D0%B8%D0%B6%D0%BD%D0%B8%D0%B9%20%D0%9D%D0%BE%D0%B2%D0%B3%D0%BE%D1%80%D0%BE%D0%B4"},
        {QStringLiteral("a&count=1#b+c"), "a%26count%3D1%23b%2Bc"},
        {QStringLiteral("%1 100%"), "%251%20100%25"},
    };
    const QString endpoint = QStringLiteral("https://geocoding-api.open-meteo.com/v1/search");
    for (const auto &c : cases) {
        const QString address = placeSearchAddress(endpoint, c.name, 10);
        EXPECT_EQ(address, endpoint + QStringLiteral("?name=") + QLatin1String(c.encoded) +
                               QStringLiteral("&count=10&language=ru&format=json"));
        const QUrlQuery query{QUrl(address)};
        EXPECT_EQ(query.queryItemValue(QStringLiteral("name"), QUrl::FullyDecoded), c.name);
        EXPECT_EQ(query.queryItems().size(), 4);
    }
    EXPECT_TRUE(placeSearchAddress(endpoint, QStringLiteral("Ям"), 100)
                    .contains(QLatin1String("&count=100&")));
}

// The real client against the stand-in over HTTPS, as the settings dialog asks.
class PlaceSearchService : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(service.isRunning()); }

    std::vector<FoundPlace> search(const QString &name, const char *behaviour = "")
    {
        TransferLimits limits = service.endpoints().limits;
        limits.connectTimeout = std::chrono::milliseconds(2000);
        limits.transferTimeout = std::chrono::milliseconds(2000);
        HttpClient client(limits, {"Tervalo/test", "application/json"});
        const QString endpoint =
            service.secureRoot() + QLatin1String(behaviour) + QStringLiteral("/v1/search");
        return foundPlaces(client.get(placeSearchAddress(endpoint, name, 10)).body);
    }

    test::LoopbackForecastService service;
};

TEST_F(PlaceSearchService, FindsTheTypedNameAndNothingForAnUnknownOne)
{
    EXPECT_EQ(service.endpoints().placeSearch, service.secureRoot() + QStringLiteral("/v1/search"));
    EXPECT_EQ(entryTexts(search(QStringLiteral("Выборг"))),
              QStringList{QStringLiteral("Выборг, Ленинградская область, Россия - 470546")});
    EXPECT_EQ(search(QStringLiteral("НИКОЛЬСКОЕ")).size(), 4u);
    EXPECT_TRUE(search(QStringLiteral("Нигдеград")).empty());

    const std::vector<test::ReceivedRequest> requests = service.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].line,
              QStringLiteral("GET /v1/search?name=%D0%92%D1%8B%D0%B1%D0%BE%D1%80%D0%B3"
                             "&count=10&language=ru&format=json HTTP/1.1"));
    EXPECT_EQ(requests[0].header(QStringLiteral("Accept")), QStringLiteral("application/json"));
}

TEST_F(PlaceSearchService, AFailingServiceIsAnError)
{
    for (const char *behaviour :
         {"/status400", "/status429", "/html", "/truncated", "/slow", "/nowhere"}) {
        QElapsedTimer elapsed;
        elapsed.start();
        EXPECT_THROW(search(QStringLiteral("Выборг"), behaviour), AppError) << behaviour;
        EXPECT_LT(elapsed.elapsed(), 6000) << behaviour;
    }
}

} // namespace
} // namespace tervalo
