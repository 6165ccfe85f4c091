// SPDX-License-Identifier: MIT
#pragma once

#include <curl/curl.h>

#include <stop_token>

namespace tervalo {

// curl_easy_perform that gives up as soon as `stop` is stopped, from any thread, with
// CURLE_ABORTED_BY_CALLBACK; a transfer that cannot be stopped is performed as it is.
CURLcode performUnlessStopped(CURL *curl, const std::stop_token &stop);

} // namespace tervalo
