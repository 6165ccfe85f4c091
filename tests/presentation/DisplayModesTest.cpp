// SPDX-License-Identifier: MIT
#include "settings/DataFiles.h"
#include "support/Files.h"
#include "support/WidgetHarness.h"

#include <gtest/gtest.h>

namespace tervalo {
namespace {

class DisplayModesTest : public ::testing::Test {
protected:
    TForm1 &form() { return *harness.form; }
    test::WidgetHarness harness;
};

TEST_F(DisplayModesTest, ThePanelSwitchSizesTheWindowAndNamesTheNextClick)
{
    form().resize(520, 210);
    form().AddPanel->run();
    EXPECT_EQ(form().size(), QSize(520, 235));
    EXPECT_TRUE(form().AddPanel->isChecked());
    EXPECT_EQ(form().MainCloud->toolTip(), QStringLiteral("Скрыть прогноз"));
    EXPECT_FALSE(form().AddBackground->isHidden());
    EXPECT_FALSE(form().FifthClouds->isHidden());
    EXPECT_FALSE(form().FifthMax->isHidden());

    form().MainCloudClick();
    EXPECT_EQ(form().size(), QSize(520, 210));
    EXPECT_FALSE(form().AddPanel->isChecked());
    EXPECT_EQ(form().MainCloud->toolTip(), QStringLiteral("Показать прогноз"));
    EXPECT_TRUE(form().AddBackground->isHidden());
    EXPECT_TRUE(form().CurrentClouds->isHidden());
    EXPECT_TRUE(form().CurrentMax->isHidden());
    EXPECT_FALSE(form().CurrentMin->isHidden()) << "the night temperatures are not switched";
    EXPECT_FALSE(form().FifthDay->isHidden()) << "nor the day names";
}

TEST_F(DisplayModesTest, TheClockOnlyFaceReturnsToTheStoredPlaceAndCentresTheClock)
{
    QByteArray settings = test::installedDataFile(QStringLiteral("Tervalo.ini"));
    settings.replace("ValueTop=40", "ValueTop=200").replace("ValueLeft=40", "ValueLeft=300");
    settings.replace("CityNameSave=Москва", "CityNameSave=Киров");
    harness.platform.writeDataFile(SettingsFileName, settings);
    form().move(10, 10);
    form().CityNameLabel->setText(QStringLiteral("Тверь"));

    form().OnlyClockMode();
    EXPECT_EQ(form().geometry(), QRect(300, 200, 500, 170));
    EXPECT_EQ(form().CityNameLabel->text(), QStringLiteral("Киров"));
    EXPECT_EQ(form().Hours->x(), 115);
    EXPECT_EQ(form().Minutes->x(), 250);
    EXPECT_EQ(form().DateLabel->text(), QStringLiteral("среда, 1 января "));
    EXPECT_EQ(form().DateLabel->x(), (500 - form().DateLabel->width()) / 2);
    EXPECT_TRUE(form().AddPanel->isChecked()) << "stored 0 read as unchecked, then toggled once";
    for (QWidget *hidden :
         std::initializer_list<QWidget *>{form().TemLabel, form().CityNameLabel, form().CloudLabel,
                                          form().MainCloud, form().TommorowDay})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    EXPECT_FALSE(form().UpdateClick->isVisible());
    EXPECT_TRUE(form().UpdateInClock->isVisible());
    EXPECT_FALSE(form().AddPanel->isEnabled());
    EXPECT_FALSE(form().AutoUpdate->isEnabled());
}

} // namespace
} // namespace tervalo
