// SPDX-License-Identifier: MIT
#include "support/TestPlatform.h"

#include "settings/DataFiles.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>

namespace tervalo::test {

bool FaultyFileStore::replace(const QString &path, const QByteArray &contents)
{
    ++count;
    if (firstFailing > 0 && count >= firstFailing)
        return false;
    return real.replace(path, contents);
}

TestPlatform::TestPlatform()
{
    QDir().mkpath(dataFolder());
}

void TestPlatform::installDefault(const QString &name, const QByteArray &contents) const
{
    const QString folder = home.filePath(QStringLiteral("share/tervalo/"));
    QDir().mkpath(folder);
    writeFileBytes(folder + name, contents);
}

QString TestPlatform::homeDirectoryOf(const QString &user) const
{
    return user == userName() ? home.path() : QString();
}

void TestPlatform::showMessage(const MessageBox &box)
{
    messages.push_back(box);
    if (onMessage)
        onMessage(box);
}

bool TestPlatform::canConnect(const QString &host, int port, std::chrono::milliseconds,
                              const std::stop_token &)
{
    probes.emplace_back(host, port);
    if (onProbe)
        onProbe();
    return online;
}

QString TestPlatform::dataFolder() const
{
    return dataFolderIn(home.path());
}

void TestPlatform::writeDataFile(const QString &name, const QByteArray &contents) const
{
    writeFileBytes(dataFolder() + name, contents);
}

QByteArray TestPlatform::readDataFile(const QString &name) const
{
    return readFileBytes(dataFolder() + name);
}

} // namespace tervalo::test
