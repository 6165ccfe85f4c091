// SPDX-License-Identifier: MIT
#include "presentation/Pictures.h"

#include <QDir>

namespace tervalo {

namespace {
const QString PictureFolder = QStringLiteral(":/pictures/");
} // namespace

QImage loadPicture(const QString &name)
{
    if (name.isEmpty())
        return {};
    return QImage(PictureFolder + name.toUpper() + QStringLiteral(".png"));
}

QStringList pictureNames()
{
    QStringList names;
    for (const QString &file :
         QDir(PictureFolder).entryList({QStringLiteral("*.png")}, QDir::Files))
        names << file.chopped(4);
    return names;
}

} // namespace tervalo
