// SPDX-License-Identifier: MIT
#include "platform/AppError.h"
#include "settings/DataFiles.h"
#include "support/Files.h"
#include "support/LoopbackServices.h"
#include "support/WidgetHarness.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

constexpr int TwentyStepsMs = 20 * 600000; // an update period of 200 minutes

class UpdateCycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service.isRunning());
        harness.platform.online = true;
        TAppSettings &settings = harness.shared.AppSettings;
        settings.CityID = QStringLiteral("27612");
        settings.UpdateInterval = 20;
        settings.ClockMode = true;
        harness.platform.writeDataFile(SettingsFileName, storedSettings());
    }
    // The installed settings, with the values the tests rely on; the cycle is the same for
    // both sources, and these tests count the XML export's requests.
    static QByteArray storedSettings()
    {
        QByteArray settings = test::installedDataFile(QStringLiteral("Tervalo.ini"));
        return settings.replace("Interval=3", "Interval=20").replace("Source=1", "Source=0");
    }
    void versionDocument(const char *name)
    {
        harness.service.versionDocument =
            service.root() + QStringLiteral("/program/") + QLatin1String(name);
        harness.shared.AppSettings.AutoCheckVer = true;
    }
    size_t requestsFor(const char *path) const
    {
        size_t count = 0;
        for (const test::ReceivedRequest &request : service.requests())
            count += request.line.contains(QLatin1String(path));
        return count;
    }
    TForm1 &form() { return *harness.form; }
    bool inClockOnlyFace()
    {
        return form().UpdateInClock->isVisible() && !form().UpdateClick->isVisible();
    }

    test::LoopbackForecastService service;
    test::WidgetHarness harness{service.endpoints()};
};

TEST_F(UpdateCycleTest, AnUpdateShowsTheWeatherAndArmsTheTimerWithThePeriod)
{
    form().WeatherUpdate();
    EXPECT_TRUE(harness.platform.messages.empty());
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_EQ(form().MainCloud->pictureName(), QStringLiteral("BSNOW"));
    EXPECT_EQ(form().WindRumbLabel->text(), QStringLiteral(" сз"));
    EXPECT_EQ(form().ThreeDay->text(), QStringLiteral("пятница"));
    EXPECT_EQ(form().DateLabel->text(), QStringLiteral("среда, 1 января "));
    EXPECT_EQ(form().TrayIcon1->balloonText(), QStringLiteral("-2°, облачно, временами снег"));
    EXPECT_TRUE(form().AutoUpdate->isEnabled());
    EXPECT_EQ(form().AutoUpdate->interval(), TwentyStepsMs);
    EXPECT_EQ(requestsFor("/program/"), 0u) << "no version check unless asked for";
}

// The answer of the "delayed" town takes seconds. Meanwhile the clock keeps time, and the tick
// of the reconnection timer (due a second after the window was made) waits for the update.
TEST_F(UpdateCycleTest, TheClockGoesOnWhileAnAnswerIsAwaitedAndTheUpdateRunsUninterrupted)
{
    harness.shared.AppSettings.CityID = QStringLiteral("delayed");
    harness.shared.ClockFormat = QStringLiteral("hh:nn:ss");
    QTimer timePasses; // the test clock runs four times as fast as the real one
    QObject::connect(&timePasses, &QTimer::timeout,
                     [this] { harness.platform.clock = harness.platform.clock.addSecs(1); });
    timePasses.start(250);
    QStringList clockShown;
    QObject::connect(form().TimerModern, &WindowTimer::tick,
                     [this, &clockShown] { clockShown << form().ModernClock->text(); });
    bool updating = false;
    int reconnectionTicksInside = 0;
    int reconnectionTicksAfter = 0;
    QObject::connect(form().AutoCheckInet, &WindowTimer::tick,
                     [&] { ++(updating ? reconnectionTicksInside : reconnectionTicksAfter); });

    updating = true;
    form().WeatherUpdate();
    updating = false;
    clockShown.removeDuplicates();
    EXPECT_GE(clockShown.size(), 2)
        << "the clock stood still: " << clockShown.join(u' ').toStdString();
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_TRUE(harness.platform.messages.empty());
    EXPECT_EQ(reconnectionTicksInside, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(reconnectionTicksAfter, 1) << "the tick that fell due runs once, afterwards";
}

TEST_F(UpdateCycleTest, WithoutAConnectionTheWidgetFallsBackToTheClock)
{
    harness.platform.online = false;
    form().WeatherUpdate();
    EXPECT_TRUE(inClockOnlyFace());
    EXPECT_FALSE(form().AutoUpdate->isEnabled());
    EXPECT_TRUE(service.requests().empty());
    EXPECT_TRUE(harness.platform.messages.empty()) << "the probe's failure is silent";
}

TEST_F(UpdateCycleTest, TheProbeGoesToTheChosenSourcesHost)
{
    harness.service.probeHost = QStringLiteral("export.example");
    harness.service.probePort = 80;
    harness.service.openMeteoProbe = {QStringLiteral("api.open-meteo.example"), 443};
    harness.platform.online = false;
    for (const int source : {forecast_source::OpenMeteo, forecast_source::XmlExport, 7}) {
        harness.shared.AppSettings.ForecastSource = source;
        form().WeatherUpdate();
    }
    const std::vector<std::pair<QString, int>> expected = {
        {QStringLiteral("api.open-meteo.example"), 443},
        {QStringLiteral("export.example"), 80},
        {QStringLiteral("export.example"), 80}};
    EXPECT_EQ(harness.platform.probes, expected) << "an unknown number is the XML export";
}

TEST_F(UpdateCycleTest, TheVersionCheckAnnouncesAnyOtherVersion)
{
    struct Case {
        const char *document;
        const char *latest;
        bool announced;
    };
    const Case cases[] = {
        {"same.xml", "2.2", false}, {"newer.xml", "2.3", true}, {"none.xml", "", true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.document);
        test::WidgetHarness fresh(service.endpoints());
        fresh.platform.online = true;
        fresh.shared.AppSettings.CityID = QStringLiteral("27612");
        fresh.service.versionDocument =
            service.root() + QStringLiteral("/program/") + QLatin1String(c.document);
        fresh.shared.AppSettings.AutoCheckVer = true;
        QStringList balloons;
        QObject::connect(fresh.form->TrayIcon1, &TrayIcon::balloonShown,
                         [&balloons](const QString &, const QString &text) { balloons << text; });
        fresh.form->WeatherUpdate();
        EXPECT_EQ(fresh.shared.LatestVersion, QLatin1String(c.latest));
        EXPECT_EQ(fresh.form->TrayIcon1->isVisible(), c.announced);
        EXPECT_EQ(balloons, c.announced
                                ? QStringList{QStringLiteral("Появилась новая версия приложения")}
                                : QStringList{});
        EXPECT_EQ(fresh.form->TemLabel->text(), QStringLiteral("-2°"))
            << "the forecast follows the check";
    }
}

TEST_F(UpdateCycleTest, AFailedVersionCheckEndsTheUpdateBeforeTheForecast)
{
    for (const char *document : {"nested.xml", "missing.xml"}) {
        SCOPED_TRACE(document);
        versionDocument(document);
        harness.shared.LatestVersion = QStringLiteral("earlier");
        EXPECT_THROW(form().WeatherUpdate(), AppError);
        EXPECT_EQ(harness.shared.LatestVersion, QStringLiteral("earlier"));
    }
    EXPECT_EQ(requestsFor("/weather-ng/"), 0u);
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("+15°"));
}

TEST_F(UpdateCycleTest, EnteringTheWeatherFaceArmsTheTimerBeforeItsFirstUpdate)
{
    versionDocument("missing.xml");
    EXPECT_THROW(form().ClockAndWeatherModeOn(), AppError);
    EXPECT_TRUE(form().AutoUpdate->isEnabled());
    EXPECT_EQ(form().AutoUpdate->interval(), TwentyStepsMs) << "not left ticking every second";
}

TEST_F(UpdateCycleTest, StartingInTheWeatherFaceShowsItAsSaved)
{
    form().VerifyMode();
    EXPECT_FALSE(inClockOnlyFace());
    EXPECT_EQ(form().size(), QSize(520, 235)) << "the panel shown, as saved";
    EXPECT_TRUE(form().AddPanel->isChecked());
    EXPECT_TRUE(form().AddPanel->isEnabled());
    EXPECT_EQ(form().CloudLabel->toolTip(), QStringLiteral("облачно, временами снег"));
    EXPECT_EQ(form().TemLabel->toolTip(), QStringLiteral("Прогнозируемая температура"));
    EXPECT_EQ(form().Hours->x(), 10);
    EXPECT_FALSE(form().MainCloud->isHidden());
    EXPECT_FALSE(form().FifthClouds->isHidden());
    EXPECT_EQ(form().AutoUpdate->interval(), TwentyStepsMs);
    EXPECT_TRUE(form().Clock->isEnabled()) << "the classic skin";
}

TEST_F(UpdateCycleTest, AFailedForecastOnEntryLeavesTheClockFaceWithTheTimerArmed)
{
    harness.shared.AppSettings.CityID = QStringLiteral("status500");
    harness.platform.writeDataFile(
        SettingsFileName, storedSettings().replace("CityIDSave=27612", "CityIDSave=status500"));
    form().VerifyMode();
    EXPECT_EQ(harness.platform.messages.size(), 1u);
    EXPECT_TRUE(inClockOnlyFace());
    EXPECT_EQ(form().size(), QSize(500, 170));
    EXPECT_TRUE(form().MainCloud->isHidden());
    EXPECT_TRUE(form().AutoUpdate->isEnabled()) << "later updates refresh the hidden weather";
    EXPECT_EQ(form().AutoUpdate->interval(), TwentyStepsMs);
}

TEST_F(UpdateCycleTest, TheClockFaceReturnsToTheWeatherWhenTheConnectionComes)
{
    harness.platform.online = false;
    form().VerifyMode();
    EXPECT_TRUE(inClockOnlyFace());
    EXPECT_TRUE(service.requests().empty());

    form().AutoCheckInetTimer(); // still offline: stays
    EXPECT_TRUE(inClockOnlyFace());
    EXPECT_EQ(form().AutoCheckInet->interval(), TwentyStepsMs);

    harness.platform.online = true;
    form().AutoCheckInetTimer();
    EXPECT_FALSE(inClockOnlyFace());
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
    EXPECT_EQ(requestsFor("/weather-ng/"), 1u) << "one weather update";
}

TEST_F(UpdateCycleTest, TheClockChosenStaysUntilTheUserAsksForAnUpdate)
{
    harness.shared.AppSettings.ClockMode = false;
    harness.platform.writeDataFile(
        SettingsFileName,
        storedSettings().replace("[ClockMode]\nChecked=1", "[ClockMode]\nChecked=0"));
    form().VerifyMode();
    EXPECT_TRUE(inClockOnlyFace());
    EXPECT_EQ(form().Hours->x(), 115);
    form().AutoCheckInetTimer();
    EXPECT_TRUE(inClockOnlyFace()) << "the timer acts only when the weather was chosen";
    EXPECT_TRUE(service.requests().empty());

    form().UpdateInClock->trigger();
    EXPECT_FALSE(inClockOnlyFace());
    EXPECT_EQ(form().TemLabel->text(), QStringLiteral("-2°"));
}

TEST_F(UpdateCycleTest, APeriodOfZeroStopsBothTimers)
{
    harness.shared.AppSettings.UpdateInterval = 0;
    harness.platform.writeDataFile(SettingsFileName,
                                   storedSettings().replace("Interval=20", "Interval=0"));
    form().VerifyMode();
    form().AutoCheckInetTimer();
    EXPECT_EQ(form().AutoUpdate->interval(), 0);
    EXPECT_EQ(form().AutoCheckInet->interval(), 0);
}

} // namespace
} // namespace tervalo
