// SPDX-License-Identifier: MIT
#include "settings/DataFiles.h"
#include "settings/Settings.h"
#include "support/WidgetHarness.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

// A directory of a hundred thousand towns in one group loads in well under the time a user
// would wait for the widget to start.
TEST(TownDirectory, AHundredThousandTownsLoadQuickly)
{
    constexpr int Towns = 100000;
    QByteArray directory =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><cities><country name=\"Россия\">";
    for (int i = 0; i < Towns; ++i)
        directory +=
            "<city id=\"" + QByteArray::number(i) + "\">Город " + QByteArray::number(i) + "</city>";
    directory += "</country></cities>";
    test::WidgetHarness harness;
    harness.platform.writeDataFile(TownDirectoryFileName, directory);
    TForm2 dialog(harness.context);

    QElapsedTimer elapsed;
    elapsed.start();
    dialog.GetCityID();
    EXPECT_LT(elapsed.elapsed(), 3000);
    ASSERT_EQ(dialog.CityNameComboBox->count(), Towns);
    EXPECT_EQ(dialog.CityNameComboBox->itemText(Towns - 1),
              QStringLiteral("Город 99999, Россия - 99999"));
    EXPECT_TRUE(harness.platform.messages.empty());
}

} // namespace
} // namespace tervalo
