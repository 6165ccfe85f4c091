// SPDX-License-Identifier: MIT
// Open-Meteo's geocoding (GeoNames, CC BY 4.0): the places of a typed name, worldwide.
#include "forecast/PlaceSearch.h"

#include "forecast/OpenMeteo.h"
#include "platform/AppError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QUrl>

#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <tuple>

namespace tervalo {

namespace {

// A place as the answer describes it, before the entries are made.
struct Candidate {
    QString id;
    QString name;
    QString region;
    QString district;
    QString country;
    Coordinates place;
};

// One line of plain text: a name with a line break or a tab would break the town box's entry.
QString textOf(const QJsonObject &entry, const char *name)
{
    return entry.value(QLatin1String(name)).toString().simplified();
}

// GeoNames ids are positive whole numbers, well inside what a double holds exactly.
QString idOf(const QJsonValue &value)
{
    constexpr double Largest = 9007199254740992.0; // 2^53
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 1 || number > Largest || std::trunc(number) != number)
        return {};
    return QString::number(static_cast<qint64>(number));
}

// Plain decimal text, never an exponent, as the forecast request takes it.
QString decimalText(double degrees)
{
    QString text = QString::number(degrees, 'f', 10);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

std::optional<QString> degreesOf(const QJsonValue &value, double limit)
{
    if (!value.isDouble())
        return std::nullopt;
    const double degrees = value.toDouble();
    if (!(degrees >= -limit && degrees <= limit))
        return std::nullopt;
    return decimalText(degrees);
}

std::optional<Candidate> candidateOf(const QJsonValue &value)
{
    const QJsonObject entry = value.toObject();
    Candidate candidate{idOf(entry.value(QLatin1String("id"))),
                        textOf(entry, "name"),
                        textOf(entry, "admin1"),
                        textOf(entry, "admin2"),
                        textOf(entry, "country"),
                        {}};
    const std::optional<QString> latitude = degreesOf(entry.value(QLatin1String("latitude")), 90);
    const std::optional<QString> longitude =
        degreesOf(entry.value(QLatin1String("longitude")), 180);
    if (candidate.id.isEmpty() || candidate.name.isEmpty() || !latitude || !longitude)
        return std::nullopt;
    candidate.place = {*latitude, *longitude};
    return candidate;
}

using TownKey = std::tuple<QString, QString, QString>; // name, region, country
using DistrictsByTown = std::map<TownKey, std::set<QString>>;

TownKey townKeyOf(const Candidate &candidate)
{
    return {candidate.name, candidate.region, candidate.country};
}

// Gathered once, so that a long answer costs no comparison of every place with every other.
DistrictsByTown districtsByTown(const std::vector<Candidate> &candidates)
{
    DistrictsByTown districts;
    for (const Candidate &candidate : candidates)
        districts[townKeyOf(candidate)].insert(candidate.district);
    return districts;
}

// The district goes in only where another place of the same name, region and country lies in a
// different one: elsewhere it would only lengthen the entry.
bool needsDistrict(const Candidate &candidate, const DistrictsByTown &districts)
{
    return !candidate.district.isEmpty() && districts.at(townKeyOf(candidate)).size() > 1;
}

QString entryTextOf(const Candidate &candidate, bool withDistrict)
{
    QStringList parts{candidate.name};
    for (const QString &part :
         {candidate.region, withDistrict ? candidate.district : QString(), candidate.country}) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" - ") + candidate.id;
}

QJsonArray resultsOf(const QByteArray &answer)
{
    const QJsonObject root = answerObject(answer, QStringLiteral("place search"));
    if (root.value(QLatin1String("error")).toBool())
        throw AppError(QStringLiteral("The place search failed: %1")
                           .arg(root.value(QLatin1String("reason")).toString()));
    const QJsonValue results = root.value(QLatin1String("results"));
    if (results.isUndefined())
        return {};
    if (!results.isArray())
        throw AppError(QStringLiteral("The place search answer's \"results\" is not a list"));
    return results.toArray();
}

} // namespace

QString placeSearchAddress(const QString &endpoint, const QString &name, int count)
{
    // One arg() call: a second would take the name's own "%20" for its place marker.
    return endpoint +
           QStringLiteral("?name=%1&count=%2&language=ru&format=json")
               .arg(QString::fromLatin1(QUrl::toPercentEncoding(name)), QString::number(count));
}

std::vector<FoundPlace> foundPlaces(const QByteArray &answer)
{
    std::vector<Candidate> candidates;
    for (const QJsonValue &result : resultsOf(answer)) {
        if (std::optional<Candidate> candidate = candidateOf(result))
            candidates.push_back(std::move(*candidate));
    }
    const DistrictsByTown districts = districtsByTown(candidates);
    std::vector<FoundPlace> places;
    places.reserve(candidates.size());
    for (const Candidate &candidate : candidates) {
        places.push_back({candidate.id, candidate.name,
                          entryTextOf(candidate, needsDistrict(candidate, districts)),
                          candidate.place});
    }
    return places;
}

} // namespace tervalo
