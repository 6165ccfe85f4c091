// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tervalo::test {

inline QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFileBytes(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(contents);
}

// A file of the project's data folder, as the installer ships it.
inline QByteArray installedDataFile(const QString &name)
{
    return readFileBytes(QStringLiteral(TERVALO_SOURCE_DIR "/data/") + name);
}

} // namespace tervalo::test
