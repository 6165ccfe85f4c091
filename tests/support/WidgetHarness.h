// SPDX-License-Identifier: MIT
#pragma once

#include "shell/AppContext.h"
#include "shell/Main.h"
#include "support/TestPlatform.h"

#include <memory>

namespace tervalo::test {

// A widget window on the test platform, with its data folder set as the start-up sets it.
struct WidgetHarness {
    explicit WidgetHarness(ForecastService forecastService = {});

    TestPlatform platform;
    SharedState shared;
    ErrorReport errors{platform, QStringLiteral("tervalo")};
    EndRequest end;
    ForecastService service;
    NetworkWait network;
    AppContext context{platform, shared, errors, end, service, QStringLiteral("tervalo"), network};
    std::unique_ptr<TForm1> form;
};

} // namespace tervalo::test
