// SPDX-License-Identifier: MIT
#include "FuzzSupport.h"

#include "platform/Fonts.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace tervalo::fuzz {

void startWidgets()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Its own arguments: Qt would take libFuzzer's options for its own.
    static int argc = 1;
    static char name[] = "tervalo-fuzz";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    registerFonts();
}

void fail(const char *property, const QString &detail)
{
    std::fprintf(stderr, "\nProperty broken: %s\n%s\n", property, qPrintable(detail));
    std::abort();
}

} // namespace tervalo::fuzz
