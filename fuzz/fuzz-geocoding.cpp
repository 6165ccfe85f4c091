// SPDX-License-Identifier: MIT
// The place search's answer, of any bytes. Only the program's own error may come out, and every
// place found has a GeoNames id of digits, a name, a latitude in -90..90 and a longitude in
// -180..180 written as plain decimals, and an entry that begins with its name and ends with
// " - " and its id, on one line.
#include "FuzzSupport.h"

#include "forecast/PlaceSearch.h"
#include "platform/AppError.h"

#include <algorithm>

using namespace tervalo;

namespace {

bool isDigits(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

bool isDecimalIn(const QString &text, double limit)
{
    if (text.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return false;
    bool ok = false;
    const double degrees = text.toDouble(&ok);
    return ok && degrees >= -limit && degrees <= limit;
}

void checkPlace(const FoundPlace &found)
{
    const QString detail = found.entryText + QLatin1Char(' ') + found.place.latitude +
                           QLatin1Char(' ') + found.place.longitude;
    fuzz::check(isDigits(found.id), "the id is digits", detail);
    fuzz::check(!found.name.trimmed().isEmpty(), "the place has a name", detail);
    fuzz::check(isDecimalIn(found.place.latitude, 90), "the latitude is on earth", detail);
    fuzz::check(isDecimalIn(found.place.longitude, 180), "the longitude is on earth", detail);
    fuzz::check(found.entryText.startsWith(found.name), "the entry begins with the name", detail);
    fuzz::check(found.entryText.endsWith(QStringLiteral(" - ") + found.id),
                "the entry ends with the id", detail);
    fuzz::check(!found.entryText.contains(QLatin1Char('\n')), "the entry is one line", detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<FoundPlace> places;
    try {
        places = foundPlaces(fuzz::bytesOf(data, size));
    } catch (const AppError &) {
        return 0;
    }
    for (const FoundPlace &found : places)
        checkPlace(found);
    return 0;
}
