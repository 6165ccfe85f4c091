// SPDX-License-Identifier: MIT
#include "support/WidgetHarness.h"

namespace tervalo::test {

WidgetHarness::WidgetHarness(ForecastService forecastService)
    : service(std::move(forecastService))
{
    shared.UserName = platform.userName();
    shared.DataFolder = platform.dataFolder();
    form = std::make_unique<TForm1>(context);
}

} // namespace tervalo::test
