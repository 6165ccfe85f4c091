// SPDX-License-Identifier: MIT
// The latest published version, read from the program's web site. Errors go to the caller.
#include "shell/Main.h"

namespace tervalo {

void TForm1::CheckVerInf()
{
    context.network.run([this] {
        XMLDocument1.loadFromAddress(context.service.versionDocument, context.transferLimits());
    });
    XMLDocument1.setActive(true);
    shared.LatestVersion =
        XMLDocument1.documentElement().childByName(QStringLiteral("content")).text();
    XMLDocument1.setActive(false);
}

} // namespace tervalo
