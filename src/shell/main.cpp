// SPDX-License-Identifier: MIT
#include "forecast/ForecastService.h"
#include "platform/Display.h"
#include "platform/LinuxPlatform.h"
#include "shell/Application.h"

#include <QApplication>

#include <curl/curl.h>

#include <csignal>
#include <cstdio>

int main(int argc, char **argv)
{
    // Whoever started the program may be gone with the other end of its standard output and
    // error: a restart by Apply inherits the ended instance's, a launcher may close its pipes.
    // Writing there must fail quietly instead of ending the widget.
    std::signal(SIGPIPE, SIG_IGN);
    if (const std::optional<QString> problem = tervalo::chooseDisplayPlatform(argc, argv)) {
        std::fprintf(stderr, "%s\n", qPrintable(*problem));
        return 2;
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);
    int exitCode = 0;
    {
        QApplication application(argc, argv);
        tervalo::LinuxPlatform platform;
        const tervalo::ForecastService service = tervalo::ForecastService::standard();
        tervalo::Application program(platform, service);
        program.start();
        exitCode = program.run();
        program.finish();
    }
    curl_global_cleanup();
    return exitCode;
}
