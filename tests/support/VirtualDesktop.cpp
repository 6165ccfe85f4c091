// SPDX-License-Identifier: MIT
#include "support/VirtualDesktop.h"

#include "support/Processes.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace tervalo::test {

namespace {

constexpr int StartTimeoutMs = 10000;

} // namespace

VirtualDesktop::VirtualDesktop()
{
    for (const char *tool : {"Xvfb", "xcompmgr", "hsetroot", "xwininfo", "import", "xdotool"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            problem = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
            return;
        }
    }
    // -displayfd: the server picks a free display number and writes it to standard output.
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                  QStringLiteral("0"), QStringLiteral("1024x600x24"), QStringLiteral("-noreset"),
                  QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server.waitForReadyRead(StartTimeoutMs)) {
        problem = QStringLiteral("Xvfb did not start");
        return;
    }
    name = QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed());
    run(QStringLiteral("hsetroot"), {QStringLiteral("-solid"), DesktopColour.name()});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), name);
    compositor.setProcessEnvironment(environment);
    compositor.start(QStringLiteral("xcompmgr"), {});
    compositor.waitForStarted(StartTimeoutMs);
    QThread::msleep(300);
}

VirtualDesktop::~VirtualDesktop()
{
    stopProcess(notificationArea);
    stopProcess(compositor);
    stopProcess(server);
}

bool VirtualDesktop::addNotificationArea()
{
    if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), name);
    notificationArea.setProcessEnvironment(environment);
    notificationArea.start(QStringLiteral("trayer"),
                           {QStringLiteral("--edge"), QStringLiteral("bottom"),
                            QStringLiteral("--height"), QStringLiteral("24")});
    if (!notificationArea.waitForStarted(StartTimeoutMs))
        return false;
    QThread::msleep(500); // it claims the notification area's selection
    return notificationArea.state() == QProcess::Running;
}

void VirtualDesktop::click(QPoint at, int button)
{
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
         QStringLiteral("click"), QString::number(button)});
}

void VirtualDesktop::pressKeys(const QStringList &keys)
{
    run(QStringLiteral("xdotool"),
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100")} +
            keys);
}

void VirtualDesktop::typeText(const QString &text)
{
    run(QStringLiteral("xdotool"),
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("100"), text});
}

bool VirtualDesktop::pressKeysIn(const QString &title, const QStringList &keys, int milliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!windowGeometry(title)) {
        if (elapsed.elapsed() > milliseconds)
            return false;
        QThread::msleep(100);
    }
    // Without a window manager nobody gives a new window the focus: xdotool does.
    run(QStringLiteral("xdotool"),
        QStringList{QStringLiteral("search"), QStringLiteral("--name"),
                    QLatin1Char('^') + title + QLatin1Char('$'), QStringLiteral("windowfocus"),
                    QStringLiteral("--sync"), QStringLiteral("key"), QStringLiteral("--delay"),
                    QStringLiteral("100")} +
            keys);
    return true;
}

QString VirtualDesktop::run(const QString &program, const QStringList &arguments) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), name);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    tool.waitForFinished(StartTimeoutMs);
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

std::optional<QRect> VirtualDesktop::windowGeometry(const QString &title) const
{
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-name"), title});
    const auto number = [&info](const char *label) {
        const QRegularExpression pattern(QLatin1String(label) + QStringLiteral(":\\s*(-?\\d+)"));
        const QRegularExpressionMatch match = pattern.match(info);
        return match.hasMatch() ? std::optional<int>(match.captured(1).toInt()) : std::nullopt;
    };
    const auto left = number("Absolute upper-left X"), top = number("Absolute upper-left Y");
    const auto width = number("Width"), height = number("Height");
    if (!left || !top || !width || !height)
        return std::nullopt;
    return QRect(*left, *top, *width, *height);
}

QImage VirtualDesktop::screenshot() const
{
    QProcess import;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), name);
    import.setProcessEnvironment(environment);
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    import.waitForFinished(StartTimeoutMs);
    return QImage::fromData(import.readAllStandardOutput(), "PNG");
}

} // namespace tervalo::test
