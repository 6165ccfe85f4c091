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
    stopProcess(pressRecorder);
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

void VirtualDesktop::drag(QPoint from, QPoint to, int button)
{
    QStringList steps{QStringLiteral("mousemove"), QString::number(from.x()),
                      QString::number(from.y()), QStringLiteral("mousedown"),
                      QString::number(button)};
    for (const int step : {1, 2, 3, 4}) {
        const QPoint at = from + (to - from) * step / 4;
        steps << QStringLiteral("sleep") << QStringLiteral("0.1") << QStringLiteral("mousemove")
              << QString::number(at.x()) << QString::number(at.y());
    }
    steps << QStringLiteral("sleep") << QStringLiteral("0.1") << QStringLiteral("mouseup")
          << QString::number(button);
    run(QStringLiteral("xdotool"), steps);
}

bool VirtualDesktop::recordDesktopPresses(QPoint bare)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xev")).isEmpty())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), name);
    pressRecorder.setProcessEnvironment(environment);
    pressRecorder.start(QStringLiteral("xev"), {QStringLiteral("-root"), QStringLiteral("-event"),
                                                QStringLiteral("button")});
    if (!pressRecorder.waitForStarted(StartTimeoutMs))
        return false;
    // The recorder selects the root window's presses some time after it has started.
    const bool seen = waitFor(
        [&] {
            click(bare, 1);
            return !desktopPresses().empty();
        },
        StartTimeoutMs);
    recordedPresses.clear();
    return seen;
}

std::vector<QPoint> VirtualDesktop::desktopPresses()
{
    pressRecorder.waitForReadyRead(50);
    recordedPresses += pressRecorder.readAllStandardOutput();
    // ButtonPress event, serial 18, synthetic NO, window 0x50d,
    //     root 0x50d, subw 0x0, time 9529832, (300,300), root:(300,300),
    static const QRegularExpression press(
        QStringLiteral("ButtonPress event[^\\n]*\\n[^\\n]*root:\\((-?\\d+),(-?\\d+)\\)"));
    std::vector<QPoint> places;
    for (const QRegularExpressionMatch &match :
         press.globalMatch(QString::fromLatin1(recordedPresses)))
        places.emplace_back(match.captured(1).toInt(), match.captured(2).toInt());
    return places;
}

int VirtualDesktop::windowsShownBy(const QString &program) const
{
    return static_cast<int>(
        run(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--classname"), QLatin1Char('^') + program + QLatin1Char('$')})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
            .size());
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
