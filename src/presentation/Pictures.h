// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

namespace tervalo {

// The program's picture resources, stored under upper-case names and looked up without
// regard to case ("smsunCloud" finds SMSUNCLOUD). A name that is not there gives a null image.
QImage loadPicture(const QString &name);

// The picture drawn for a screen of `devicePixelRatio` image pixels per window pixel: above 1
// the one drawn at twice the size (NAME@2x), which reports a device pixel ratio of 2 and so
// covers as many window pixels as the other. A picture without that drawing gives the other.
QImage loadPicture(const QString &name, qreal devicePixelRatio);

// Every picture resource name, upper case; the drawings at twice the size are not names of
// their own.
QStringList pictureNames();

// The program icon, with its own drawing for every size a desktop asks for (16 to 256 pixels),
// for the windows and the notification area.
QIcon programIcon();

} // namespace tervalo
