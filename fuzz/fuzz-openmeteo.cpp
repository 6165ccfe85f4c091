// SPDX-License-Identifier: MIT
// Open-Meteo's answer, of any bytes, translated into the forecast document. Only the program's
// own error may come out, and an answer that translates gives a document that the forecast
// reading takes whole: it loads, and every label of the widget is written from it.
#include "FuzzSupport.h"

#include "forecast/OpenMeteo.h"
#include "platform/AppError.h"
#include "support/WidgetHarness.h"

using namespace tervalo;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::startWidgets();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static test::WidgetHarness harness;
    QString document;
    try {
        document = openMeteoDocument(fuzz::bytesOf(data, size));
    } catch (const AppError &) {
        return 0;
    }
    TForm1 &form = *harness.form;
    try {
        form.XMLDocument1.loadFromText(document);
        form.ReadForecast(form.XMLDocument1.documentElement());
    } catch (const AppError &error) {
        fuzz::fail("a translated answer reads", error.text() + QLatin1Char('\n') + document);
    }
    return 0;
}
