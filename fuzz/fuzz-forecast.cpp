// SPDX-License-Identifier: MIT
// The forecast document, of any text, read into the widget as an update reads it. Only the
// program's own error may come out. A document that reads writes every weather label (the
// current values with their fixed additions, each forecast temperature or the no-data text),
// and reading it again gives the same labels and values: nothing but the document decides them.
#include "FuzzSupport.h"

#include "forecast/ForecastReading.h"
#include "platform/AppError.h"
#include "support/WidgetHarness.h"

#include <QStringList>

using namespace tervalo;

namespace {

const QString Unwritten = QStringLiteral("\u2063unwritten");

std::vector<TLabel *> weatherLabels(TForm1 &form)
{
    return {form.TemLabel,   form.WindLabel,   form.HumidityLabel, form.CurrentMax,
            form.CurrentMin, form.TomorrowMax, form.TomorrowMin,   form.ThreeMax,
            form.ThreeMin,   form.FourMax,     form.FourMin,       form.FifthMax,
            form.FifthMin};
}

// The labels and the shared weather values after a reading; empty when the reading failed.
std::optional<QStringList> read(test::WidgetHarness &harness, const QString &text)
{
    TForm1 &form = *harness.form;
    for (TLabel *label : weatherLabels(form))
        label->setText(Unwritten);
    harness.shared.DayWeatherTypes = {};
    try {
        form.XMLDocument1.loadFromText(text);
        form.ReadForecast(form.XMLDocument1.documentElement());
    } catch (const AppError &) {
        return std::nullopt;
    }
    QStringList values;
    for (TLabel *label : weatherLabels(form))
        values << label->text();
    const SharedState &shared = harness.shared;
    values << shared.FactWeatherType << shared.WindDirectionCode << shared.ObservationTime
           << shared.StationName;
    for (const QString &type : shared.DayWeatherTypes)
        values << type;
    return values;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startWidgets();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static test::WidgetHarness harness;
    const QString text = QString::fromUtf8(fuzz::bytesOf(data, size));
    const std::optional<QStringList> first = read(harness, text);
    if (!first)
        return 0;

    const QString detail = first->join(QLatin1Char('|'));
    fuzz::check(!first->contains(Unwritten), "a document that reads writes every label", detail);
    fuzz::check((*first)[0].endsWith(QStringLiteral("°")) &&
                    (*first)[1].endsWith(QStringLiteral(" м/с ")) &&
                    (*first)[2].endsWith(QLatin1Char('%')),
                "the current values keep their additions", detail);
    for (qsizetype i = 3; i < 13; ++i)
        fuzz::check(!(*first)[i].isEmpty(), "a forecast temperature is never blank", detail);
    fuzz::check(read(harness, text) == first, "a second reading gives the same values", detail);
    return 0;
}
