// SPDX-License-Identifier: MIT
#pragma once

#include "forecast/ForecastService.h"
#include "platform/EndRequest.h"
#include "platform/ErrorReport.h"
#include "platform/Platform.h"
#include "shell/SharedState.h"

namespace tervalo {

// What both windows are given at creation: the system below them, the shared values, the
// general error report, the end request and the addresses of the outside services.
struct AppContext {
    Platform &platform;
    SharedState &shared;
    ErrorReport &errors;
    EndRequest &end;
    const ForecastService &service;
    QString title;
};

} // namespace tervalo
