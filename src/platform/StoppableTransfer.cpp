// SPDX-License-Identifier: MIT
#include "platform/StoppableTransfer.h"

#include <memory>

namespace tervalo {

namespace {

using Multi = std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)>;

// The longest sleep between two looks at the transfer; a stop wakes it at once anyway.
constexpr int PollMs = 1000;

// The outcome of the transfer once the multi handle says it is over.
CURLcode outcomeOf(CURLM *multi)
{
    int left = 0;
    while (CURLMsg *message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE)
            return message->data.result;
    }
    return CURLE_FAILED_INIT;
}

// Runs the transfer added to `multi` until it is over or stopped.
CURLcode driveUntilDone(CURLM *multi, const std::stop_token &stop)
{
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK)
            return CURLE_FAILED_INIT;
        if (running == 0)
            return outcomeOf(multi);
        if (stop.stop_requested())
            return CURLE_ABORTED_BY_CALLBACK;
        if (curl_multi_poll(multi, nullptr, 0, PollMs, nullptr) != CURLM_OK)
            return CURLE_FAILED_INIT;
    }
}

} // namespace

// The easy interface cannot be interrupted from outside; the multi interface can be woken
// from another thread, which a stop does.
CURLcode performUnlessStopped(CURL *curl, const std::stop_token &stop)
{
    if (!stop.stop_possible())
        return curl_easy_perform(curl);
    if (stop.stop_requested())
        return CURLE_ABORTED_BY_CALLBACK;
    const Multi multi(curl_multi_init(), curl_multi_cleanup);
    if (!multi || curl_multi_add_handle(multi.get(), curl) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLcode result = CURLE_OK;
    {
        const std::stop_callback wake(stop, [handle = multi.get()] { curl_multi_wakeup(handle); });
        result = driveUntilDone(multi.get(), stop);
    }
    curl_multi_remove_handle(multi.get(), curl);
    return result;
}

} // namespace tervalo
