// SPDX-License-Identifier: MIT
#include "platform/AppTitle.h"
#include "platform/EndRequest.h"
#include "platform/ErrorReport.h"
#include "platform/TextCodec.h"
#include "platform/WindowTimer.h"
#include "support/TestPlatform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

TEST(ApplicationTitle, IsTheFileNameCutAtTheFirstDotWithTheRestLowerCase)
{
    const std::pair<const char *, const char *> cases[] = {
        {"/usr/bin/tervalo", "tervalo"},
        {"/opt/TERVALO.BIN", "Tervalo"},
        {"/home/a.b/weather.widget.bin", "weather"},
        {"tErVaLo", "tervalo"},
        {"/usr/bin/.hidden", ""},
    };
    for (const auto &[path, title] : cases)
        EXPECT_EQ(applicationTitle(QLatin1String(path)), QLatin1String(title)) << path;
}

TEST(ErrorReport, ShowsTheUncaughtErrorWithAFullStopAndGoesOn)
{
    test::TestPlatform platform;
    ErrorReport report(platform, QStringLiteral("tervalo"));
    report.guard([] { throw AppError(QStringLiteral("Unable to write to /x/Tervalo.ini")); });
    report.guard([] { throw std::runtime_error("already ends."); });
    report.guard([] {});
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0],
              (MessageBox{QStringLiteral("Unable to write to /x/Tervalo.ini."),
                          QStringLiteral("tervalo"), MessageIcon::Error}));
    EXPECT_EQ(platform.messages[1].text, QStringLiteral("already ends."));
    EXPECT_EQ(reportText(QString()), QString());
}

TEST(ErrorReport, OnStandardErrorWritesOneLineAndShowsNoBox)
{
    test::TestPlatform platform;
    ErrorReport report(platform, QStringLiteral("tervalo"));
    report.reportOnStandardError();
    ::testing::internal::CaptureStderr();
    report.guard([] { throw AppError(QStringLiteral("Unable to write to /x/Tervalo.ini")); });
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tervalo: Unable to write to /x/Tervalo.ini.\n");
    EXPECT_TRUE(platform.messages.empty());
}

TEST(TextCodec, DecodesByCharsetName)
{
    EXPECT_EQ(decodeText("\xCC\xEE\xF1\xEA\xE2\xE0", "windows-1251"), QStringLiteral("Москва"));
    EXPECT_EQ(decodeText("\xED\xCF\xD3\xCB\xD7\xC1", "koi8-r"), QStringLiteral("Москва"));
    EXPECT_EQ(decodeText("abc", "no-such-charset"), std::nullopt);
    EXPECT_EQ(decodeText("\xFF", "utf-8"), std::nullopt);
    EXPECT_EQ(decodeUtf8OrWindows1251("\xCC\xEE\xF1\xEA\xE2\xE0"), QStringLiteral("Москва"));
}

// Counts the ticks of a timer while an event loop runs for the given time.
int ticksWithin(WindowTimer &timer, int milliseconds, const std::function<void()> &midway = {})
{
    int ticks = 0;
    QObject::connect(&timer, &WindowTimer::tick, [&ticks] { ++ticks; });
    QEventLoop loop;
    if (midway)
        QTimer::singleShot(milliseconds / 2, midway);
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    return ticks;
}

TEST(WindowTimer, KeepsItsCountdownWhenSetToTheSameValues)
{
    WindowTimer timer;
    timer.setInterval(300);
    // Re-set every 100 ms to what it already has: the countdown goes on and ticks come.
    QTimer nudge;
    QObject::connect(&nudge, &QTimer::timeout, [&timer] {
        timer.setInterval(300);
        timer.setEnabled(true);
    });
    nudge.start(100);
    EXPECT_GE(ticksWithin(timer, 1000), 2);
}

TEST(WindowTimer, RestartsItsCountdownWhenAValueChanges)
{
    WindowTimer timer;
    timer.setInterval(400);
    QTimer nudge; // alternate between two intervals every 250 ms: never reaches a tick
    bool flip = false;
    QObject::connect(&nudge, &QTimer::timeout,
                     [&] { timer.setInterval((flip = !flip) ? 401 : 400); });
    nudge.start(250);
    EXPECT_EQ(ticksWithin(timer, 1200), 0);
}

TEST(WindowTimer, NeverTicksWhenDisabledOrWithIntervalZero)
{
    WindowTimer disabled;
    disabled.setInterval(50);
    disabled.setEnabled(false);
    WindowTimer zero;
    zero.setInterval(0);
    EXPECT_EQ(ticksWithin(disabled, 300), 0);
    EXPECT_EQ(ticksWithin(zero, 300), 0);
}

TEST(WindowTimer, AClockTimerTicksJustAfterTheSecondBoundary)
{
    WindowTimer timer;
    timer.setAlignedToClock(true);
    std::vector<qint64> phases;
    QObject::connect(&timer, &WindowTimer::tick,
                     [&] { phases.push_back(QDateTime::currentMSecsSinceEpoch() % 1000); });
    ticksWithin(timer, 2600);
    ASSERT_GE(phases.size(), 2u);
    for (const qint64 phase : phases)
        EXPECT_LT(phase, 200) << "ticked " << phase << " ms after the second";
}

TEST(EndRequest, IsHonouredOnlyWhenTheMainLoopRuns)
{
    EndRequest end;
    end.request();
    // A modal box's loop that runs before or inside the main loop is not ended by it.
    QEventLoop box;
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer::singleShot(400, &box, &QEventLoop::quit);
    box.exec();
    EXPECT_GE(elapsed.elapsed(), 390);
    EXPECT_TRUE(end.isRequested());

    elapsed.restart();
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // a safety net
    EXPECT_EQ(end.runMainLoop(), 0);
    EXPECT_LT(elapsed.elapsed(), 1000);
}

} // namespace
} // namespace tervalo
