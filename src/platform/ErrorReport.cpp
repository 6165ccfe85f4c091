// SPDX-License-Identifier: MIT
#include "platform/ErrorReport.h"

#include <cstdio>

namespace tervalo {

QString reportText(const QString &errorText)
{
    if (errorText.isEmpty() || errorText.endsWith(QLatin1Char('.')))
        return errorText;
    return errorText + QLatin1Char('.');
}

ErrorReport::ErrorReport(Platform &platform, QString applicationTitle)
    : platform(platform)
    , title(std::move(applicationTitle))
{}

void ErrorReport::show(const QString &errorText)
{
    if (toStandardError) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(reportText(errorText)));
        return;
    }
    platform.showMessage({reportText(errorText), title, MessageIcon::Error});
}

} // namespace tervalo
