// SPDX-License-Identifier: MIT
#include "presentation/Pictures.h"

#include <QDir>

namespace tervalo {

namespace {
const QString PictureFolder = QStringLiteral(":/pictures/");
const QString DoubleSize = QStringLiteral("@2x");
const QString IconTheme = QStringLiteral(":/icons/hicolor/");
} // namespace

QImage loadPicture(const QString &name)
{
    if (name.isEmpty())
        return {};
    return QImage(PictureFolder + name.toUpper() + QStringLiteral(".png"));
}

QImage loadPicture(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1 && !name.isEmpty()) {
        QImage doubled(PictureFolder + name.toUpper() + DoubleSize + QStringLiteral(".png"));
        if (!doubled.isNull()) {
            doubled.setDevicePixelRatio(2);
            return doubled;
        }
    }
    return loadPicture(name);
}

QStringList pictureNames()
{
    QStringList names;
    for (const QString &file :
         QDir(PictureFolder).entryList({QStringLiteral("*.png")}, QDir::Files))
        if (!file.chopped(4).endsWith(DoubleSize))
            names << file.chopped(4);
    return names;
}

QIcon programIcon()
{
    QIcon icon;
    // One folder per size, "16x16" and on, as the icon theme has them.
    for (const QString &folder : QDir(IconTheme).entryList(QDir::Dirs)) {
        const int size = folder.section(QLatin1Char('x'), 0, 0).toInt();
        icon.addFile(IconTheme + folder + QStringLiteral("/apps/tervalo.png"), QSize(size, size));
    }
    return icon;
}

} // namespace tervalo
