// SPDX-License-Identifier: MIT
#pragma once

#include "support/WidgetHarness.h"

namespace tervalo::test {

// Fetches the town's forecast and shows it the way a weather update in the clock-and-weather
// face does, with the forecast panel shown, then applies the skin of the settings.
void fetchAndShowWeather(TForm1 &form);

} // namespace tervalo::test
