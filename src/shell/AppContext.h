// SPDX-License-Identifier: MIT
#pragma once

#include "forecast/ForecastService.h"
#include "platform/EndRequest.h"
#include "platform/ErrorReport.h"
#include "platform/NetworkWait.h"
#include "platform/Platform.h"
#include "shell/SharedState.h"

namespace tervalo {

// What both windows are given at creation: the system below them, the shared values, the
// general error report, the end request, the addresses of the outside services and the wait
// that keeps the clock going while they answer.
struct AppContext {
    Platform &platform;
    SharedState &shared;
    ErrorReport &errors;
    EndRequest &end;
    const ForecastService &service;
    QString title;
    NetworkWait &network;

    // The bounds of a transfer to the outside services; it stops when the program ends.
    TransferLimits transferLimits() const
    {
        TransferLimits limits = service.limits;
        limits.stop = network.endOfProgram();
        return limits;
    }
};

} // namespace tervalo
