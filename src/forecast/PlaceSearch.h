// SPDX-License-Identifier: MIT
#pragma once

#include "forecast/StationCoordinates.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tervalo {

// A place found by name, as the town box lists it.
struct FoundPlace {
    QString id;        // GeoNames id, digits
    QString name;      // "Выборг"
    QString entryText; // "Выборг, Ленинградская область, Россия - 470546": the place, its region
                       // and its country (parts the service leaves out are left out), " - ", the id
    Coordinates place; // decimal degrees, as the answer gives them
    bool operator==(const FoundPlace &) const = default;
};

// The search address for a typed name (percent-encoded), asking for `count` places in Russian.
QString placeSearchAddress(const QString &endpoint, const QString &name, int count);

// The places of an answer, in its order. No `results` (nothing found) gives none. An answer that
// is not the expected JSON object, or the service's error object, throws AppError. Entries
// without an id or a name, or with a latitude outside -90..90 or a longitude outside -180..180
// (or missing), are left out. Same-named places in the same region and country are told apart
// by admin2 (district) after the region, when that differs.
std::vector<FoundPlace> foundPlaces(const QByteArray &answer);

} // namespace tervalo
