// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace tervalo {

// The program's picture resources, stored under upper-case names and looked up without
// regard to case ("smsunCloud" finds SMSUNCLOUD). A name that is not there gives a null image.
QImage loadPicture(const QString &name);

// Every picture resource name, upper case.
QStringList pictureNames();

} // namespace tervalo
