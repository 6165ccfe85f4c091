// SPDX-License-Identifier: MIT
#pragma once

#include "forecast/ForecastService.h"
#include "platform/HttpClient.h"
#include "settings/AppSettings.h"

namespace tervalo {

// What the program says of itself to Open-Meteo, which asks the programs that use it to name
// themselves: the program and its site, whom to reach.
ClientHeaders openMeteoHeaders(const ForecastService &service);

// Sends the client's requests through the user's proxy, with the Basic credentials up front
// when the proxy is a private one.
void useTheProxy(HttpClient &client, const TAppSettings &settings);

} // namespace tervalo
