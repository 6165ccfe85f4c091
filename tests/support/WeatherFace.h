// SPDX-License-Identifier: MIT
#pragma once

#include "support/WidgetHarness.h"

namespace tervalo::test {

// Enters the clock-and-weather face with a working connection, which fetches the town's
// forecast and applies the skin of the settings, and shows the clock's time.
void fetchAndShowWeather(WidgetHarness &harness);

} // namespace tervalo::test
