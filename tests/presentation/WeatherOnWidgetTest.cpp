// SPDX-License-Identifier: MIT
#include "presentation/Skins.h"
#include "support/LoopbackServices.h"
#include "support/WeatherFace.h"

#include <gtest/gtest.h>

namespace tervalo {
namespace {

// The real-shaped forecast of the stand-in service, fetched and shown in each skin.
TEST(WeatherOnWidget, EachSkinShowsTheServicesForecastByDayAndAtNight)
{
    const test::LoopbackForecastService service;
    ASSERT_TRUE(service.isRunning());
    struct Case {
        int skin;
        QTime time;
        const char *bigPicture;
        bool flipCards;
    };
    const Case cases[] = {
        {ClassicSkin, QTime(10, 8), "BSNOW", true},
        {ClassicSkin, QTime(23, 41), "SNOW", true},
        {DigitalSkin, QTime(10, 8), "BSNOW", false},
        {DigitalSkin, QTime(5, 0), "SNOW", false},
        {MinimalisticSkin, QTime(10, 8), "BSNOW", false},
        {MinimalisticSkin, QTime(22, 0), "SNOW", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "skin " << c.skin << " at " << c.time.toString().toStdString());
        test::WidgetHarness harness(service.endpoints());
        harness.platform.clock = QDateTime(QDate(2014, 1, 1), c.time);
        TAppSettings &settings = harness.shared.AppSettings;
        settings.CityID = QStringLiteral("27612");
        settings.ClockMode = true;
        settings.PanelsMode = c.skin;
        settings.SizeFontForSkin = 5;
        settings.FontColorForSkin = 0x00FFFFFF;
        TForm1 &form = *harness.form;
        test::fetchAndShowWeather(harness);

        EXPECT_TRUE(harness.platform.messages.empty());
        EXPECT_EQ(form.TemLabel->text(), QStringLiteral("-2°"));
        EXPECT_EQ(form.CloudLabel->text(), QStringLiteral("облачно, временами снег"));
        EXPECT_EQ(form.MainCloud->pictureName(), QLatin1String(c.bigPicture));
        EXPECT_EQ(form.CurrentClouds->toolTip(), QStringLiteral("Снег"));
        EXPECT_EQ(form.TomorrowClouds->pictureName(), QStringLiteral("SMSUN"));
        EXPECT_EQ(form.WindRumbLabel->text(), QStringLiteral(" сз"));
        EXPECT_EQ(form.DateLabel->text(), QStringLiteral("среда, 1 января "));
        EXPECT_EQ(form.ThreeDay->text(), QStringLiteral("пятница"));
        EXPECT_EQ(!form.Hours->isHidden(), c.flipCards);
        EXPECT_EQ(form.Clock->isEnabled(), c.flipCards);
        EXPECT_EQ(form.TimerModern->isEnabled(), !c.flipCards);
        if (c.skin == MinimalisticSkin) {
            EXPECT_EQ(form.ModernClock->text(), c.time.toString(QStringLiteral("HH:mm")));
            EXPECT_EQ(form.height(), 100);
        } else {
            EXPECT_EQ(form.size(), QSize(520, 235));
        }
    }
}

} // namespace
} // namespace tervalo
