// SPDX-License-Identifier: MIT
#include "support/WeatherFace.h"

namespace tervalo::test {

void fetchAndShowWeather(WidgetHarness &harness)
{
    harness.platform.online = true;
    TForm1 &form = *harness.form;
    form.ClockAndWeatherModeOn();
    form.ClockTimer();
    form.TimerModernTimer();
}

} // namespace tervalo::test
