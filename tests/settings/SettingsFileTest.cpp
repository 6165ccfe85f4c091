// SPDX-License-Identifier: MIT
#include "settings/SettingsFile.h"
#include "platform/AppError.h"
#include "settings/IniValues.h"
#include "support/Files.h"
#include "support/PlainControls.h"
#include "support/TestPlatform.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tervalo {
namespace {

using Controls = test::PlainControls;

// Every section with a value that is not the record's initial one.
const QByteArray FullFile = "[CityID]\nCityIDSave=27196\n"
                            "[CityName]\nCityNameSave=Киров\n"
                            "[AddPanel]\nChecked=0\n"
                            "[TempLabel]\nChecked=1\n"
                            "[CityText]\nText=Киров, Россия - 27196\n"
                            "[UpdateInterval]\nInterval=3\n"
                            "[AutoRun]\nChecked=1\n"
                            "[FormTop]\nValueTop=-40\n"
                            "[FormLeft]\nValueLeft=1200\n"
                            "[FormHeight]\nValueHeight=235\n"
                            "[FormWidth]\nValueWidth=520\n"
                            "[ClockMode]\nChecked=1\n"
                            "[AutoCheckVer]\nChecked=1\n"
                            "[DateFormat]\nDateFormate=3\n"
                            "[IconStatus]\nChecked=1\n"
                            "[PanelsMode]\nCurrentMode=2\n"
                            "[ProxyUse]\nUse=1\n"
                            "[ProxyPublic]\nUse=1\n"
                            "[ProxyHost]\nHost=proxy.local\n"
                            "[ProxyPort]\nPort=3128\n"
                            "[ProxyUser]\nUser=ivan\n"
                            "[ProxyPass]\nPass=1MK7X\n"
                            "[FontColorForSkin]\nColor=-16777201\n"
                            "[SizeFontForSkin]\nSize=7\n"
                            "[ForecastSource]\nSource=1\n"
                            "[PlaceLatitude]\nLatitude=60.70763\n"
                            "[PlaceLongitude]\nLongitude=-28.75283\n";

class SettingsFileTest : public ::testing::Test {
protected:
    QString path() const { return platform.dataFolder() + QStringLiteral("Tervalo.ini"); }
    void store(const QByteArray &contents) const
    {
        platform.writeDataFile(QStringLiteral("Tervalo.ini"), contents);
    }
    QByteArray stored() const { return platform.readDataFile(QStringLiteral("Tervalo.ini")); }
    void read() { readSettingsFile(ini, settings, controls); }
    // What the start-up does: read, then the mode entry toggles the panel mark once.
    void readAndEnterMode()
    {
        read();
        controls.panelMark = !controls.panelMark;
    }
    void save() { saveSettingsFile(ini, settings, controls); }

    test::TestPlatform platform;
    IniFile ini{path(), platform.files()};
    TAppSettings settings;
    Controls controls;
};

TEST_F(SettingsFileTest, ReadsEverySectionIntoItsHolder)
{
    store(FullFile);
    read();
    EXPECT_EQ(settings.CityID, QStringLiteral("27196"));
    EXPECT_EQ(settings.TempLabel, true);
    EXPECT_EQ(settings.CityText, QStringLiteral("Киров, Россия - 27196"));
    EXPECT_EQ(settings.UpdateInterval, 3);
    EXPECT_EQ(settings.AutoRun, true);
    EXPECT_EQ(settings.ClockMode, true);
    EXPECT_EQ(settings.AutoCheckVer, true);
    EXPECT_EQ(settings.DateFormat, 3);
    EXPECT_EQ(settings.IconStatus, true);
    EXPECT_EQ(settings.PanelsMode, 2);
    EXPECT_EQ(settings.ProxyUse, true);
    EXPECT_EQ(settings.ProxyPublic, true);
    EXPECT_EQ(settings.ProxyHost, QStringLiteral("proxy.local"));
    EXPECT_EQ(settings.ProxyPort, 3128);
    EXPECT_EQ(settings.ProxyUser, QStringLiteral("ivan"));
    EXPECT_EQ(settings.ProxyPass, QStringLiteral("abc"));
    EXPECT_EQ(settings.FontColorForSkin, -16777201); // a system colour: top byte 0xFF
    EXPECT_EQ(settings.SizeFontForSkin, 7);
    EXPECT_EQ(settings.ForecastSource, forecast_source::OpenMeteo);
    EXPECT_EQ(settings.PlaceLatitude, QStringLiteral("60.70763"));
    EXPECT_EQ(settings.PlaceLongitude, QStringLiteral("-28.75283"));
    // The control-held settings land in the controls; the stored panel flag goes in unchanged.
    EXPECT_EQ(controls.town, QStringLiteral("Киров"));
    EXPECT_EQ(controls.panelMark, false);
    EXPECT_EQ(controls.top, -40);
    EXPECT_EQ(controls.left, 1200);
    EXPECT_EQ(controls.height, 235);
    EXPECT_EQ(controls.width, 520);
}

TEST_F(SettingsFileTest, ReadThenSaveLeavesTheFileUnchanged)
{
    const QByteArray installed = test::installedDataFile(QStringLiteral("Tervalo.ini"));
    ASSERT_FALSE(installed.isEmpty());
    for (const QByteArray &contents : {FullFile, installed}) {
        store(contents);
        readAndEnterMode();
        save();
        EXPECT_EQ(stored(), contents);
        save();
        EXPECT_EQ(stored(), contents) << "a second save in a row";
    }
}

TEST_F(SettingsFileTest, WritesEveryValueInTheFileOrder)
{
    settings.CityID = QStringLiteral("26063");
    settings.UpdateInterval = 40;
    settings.FontColorForSkin = static_cast<int>(0xFF00000Fu);
    settings.ProxyPass = QStringLiteral("a");
    controls.town = QStringLiteral("Санкт-Петербург");
    controls.panelMark = true; // the panel is shown: stored as 0
    save();
    const QByteArray expected = "[CityID]\nCityIDSave=26063\n"
                                "[CityName]\nCityNameSave=Санкт-Петербург\n"
                                "[AddPanel]\nChecked=0\n"
                                "[TempLabel]\nChecked=0\n"
                                "[CityText]\nText=\n"
                                "[UpdateInterval]\nInterval=40\n"
                                "[AutoRun]\nChecked=0\n"
                                "[FormTop]\nValueTop=0\n"
                                "[FormLeft]\nValueLeft=0\n"
                                "[FormHeight]\nValueHeight=304\n"
                                "[FormWidth]\nValueWidth=679\n"
                                "[ClockMode]\nChecked=0\n"
                                "[AutoCheckVer]\nChecked=0\n"
                                "[DateFormat]\nDateFormate=0\n"
                                "[IconStatus]\nChecked=0\n"
                                "[PanelsMode]\nCurrentMode=0\n"
                                "[ProxyUse]\nUse=0\n"
                                "[ProxyPublic]\nUse=0\n"
                                "[ProxyHost]\nHost=\n"
                                "[ProxyPort]\nPort=0\n"
                                "[ProxyUser]\nUser=\n"
                                "[ProxyPass]\nPass=-ME++\n"
                                "[FontColorForSkin]\nColor=-16777201\n"
                                "[SizeFontForSkin]\nSize=0\n"
                                "[ForecastSource]\nSource=0\n"
                                "[PlaceLatitude]\nLatitude=\n"
                                "[PlaceLongitude]\nLongitude=\n";
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(platform.fileStore.replacements(), 1) << "the file is replaced once per save";
}

TEST_F(SettingsFileTest, MissingAndMalformedValuesKeepTheCurrentOnes)
{
    settings.UpdateInterval = 5;
    settings.IconStatus = true;
    settings.ProxyPass = QStringLiteral("plain in memory");
    store("[UpdateInterval]\nInterval=abc\n"
          "[IconStatus]\nChecked=\n"
          "[DateFormat]\nDateFormate=0x2\n"
          "[PanelsMode]\nCurrentMode=0x\n"
          "[AutoRun]\nChecked=2\n");
    read();
    EXPECT_EQ(settings.UpdateInterval, 5);
    EXPECT_EQ(settings.IconStatus, true);
    EXPECT_EQ(settings.DateFormat, 2);
    EXPECT_EQ(settings.PanelsMode, 0);
    EXPECT_EQ(settings.AutoRun, true);
    // No stored password: the one in memory stays as it is, not decoded as if it were stored.
    EXPECT_EQ(settings.ProxyPass, QStringLiteral("plain in memory"));
    EXPECT_EQ(controls.town, QStringLiteral("Москва"));
    EXPECT_EQ(controls.width, 679);
}

// Every file written before the source could be chosen lacks its row: such a file keeps the
// XML export, and its next save adds the row after the others.
TEST_F(SettingsFileTest, TheForecastSourceRowMissingMeansTheXmlExport)
{
    QByteArray old = FullFile;
    old.replace("[ForecastSource]\nSource=1\n", "");
    ASSERT_NE(old, FullFile);
    store(old);
    readAndEnterMode();
    EXPECT_EQ(settings.ForecastSource, forecast_source::XmlExport);
    save();
    EXPECT_EQ(stored(), old + "[ForecastSource]\nSource=0\n");

    settings.ForecastSource = forecast_source::OpenMeteo;
    save();
    TAppSettings reread;
    readSettingsFile(ini, reread, controls);
    EXPECT_EQ(reread.ForecastSource, forecast_source::OpenMeteo);
    EXPECT_EQ(reread.SizeFontForSkin, settings.SizeFontForSkin) << "the row before it";

    store(test::installedDataFile(QStringLiteral("Tervalo.ini")));
    TAppSettings installed;
    readSettingsFile(ini, installed, controls);
    EXPECT_EQ(installed.ForecastSource, forecast_source::OpenMeteo)
        << "a new install shows Open-Meteo's weather";
}

// Every file written before the place search lacks the place rows: it reads as no place, even
// over a place still in memory from an earlier read, so the forecast keeps asking for the town's
// station. Its next save adds the rows, empty, after the others.
TEST_F(SettingsFileTest, AFileWithoutThePlaceRowsNamesNoPlace)
{
    QByteArray old = FullFile;
    old.replace("[PlaceLatitude]\nLatitude=60.70763\n[PlaceLongitude]\nLongitude=-28.75283\n", "");
    ASSERT_NE(old, FullFile);
    settings.PlaceLatitude = QStringLiteral("1.5");
    settings.PlaceLongitude = QStringLiteral("2.5");
    store(old);
    readAndEnterMode();
    EXPECT_EQ(settings.PlaceLatitude, QString());
    EXPECT_EQ(settings.PlaceLongitude, QString());
    EXPECT_EQ(settings.CityID, QStringLiteral("27196")) << "the rows before them read as ever";
    save();
    EXPECT_EQ(stored(), old + "[PlaceLatitude]\nLatitude=\n[PlaceLongitude]\nLongitude=\n");

    // Only the missing row is emptied; one present, if empty, is read as it stands.
    store(old + "[PlaceLongitude]\nLongitude=37.76176\n");
    settings.PlaceLatitude = QStringLiteral("1.5");
    read();
    EXPECT_EQ(settings.PlaceLatitude, QString());
    EXPECT_EQ(settings.PlaceLongitude, QStringLiteral("37.76176"));
}

TEST_F(SettingsFileTest, APlaceSurvivesItsRoundTrip)
{
    for (const auto &[latitude, longitude] :
         {std::pair{"-33.86785", "151.20732"}, {"90", "-180"}, {"0.00001", "0"}, {"", ""}}) {
        settings.PlaceLatitude = QLatin1String(latitude);
        settings.PlaceLongitude = QLatin1String(longitude);
        save();
        TAppSettings reread;
        reread.PlaceLatitude = QStringLiteral("stale");
        reread.PlaceLongitude = QStringLiteral("stale");
        readSettingsFile(ini, reread, controls);
        EXPECT_EQ(reread.PlaceLatitude, settings.PlaceLatitude);
        EXPECT_EQ(reread.PlaceLongitude, settings.PlaceLongitude);
    }
}

TEST(IniValues, ConvertsIntegersAndFlags)
{
    struct Case {
        const char *text;
        std::optional<int> integer;
    };
    const Case cases[] = {
        {"30", 30},
        {"-7", -7},
        {"+7", 7},
        {"0x1E", 30},
        {"0X1e", 30},
        {"0xFF00000F", static_cast<int>(0xFF00000Fu)},
        {"0x", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"1.5", std::nullopt},
        {"0x1G", std::nullopt},
        {"0x123456789", std::nullopt},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {" 5", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ini_values::parseInteger(QLatin1String(c.text)), c.integer);
        const std::optional<bool> flag =
            c.integer ? std::optional<bool>(*c.integer != 0) : std::nullopt;
        EXPECT_EQ(ini_values::parseFlag(QLatin1String(c.text)), flag);
    }
    EXPECT_EQ(ini_values::formatInteger(-16777201), QStringLiteral("-16777201"));
    EXPECT_EQ(ini_values::formatFlag(true), QStringLiteral("1"));
    EXPECT_EQ(ini_values::formatFlag(false), QStringLiteral("0"));
}

// A save interrupted at any point, as by a full disk or a kill, leaves the old file or the
// new one, never a mix of their values.
TEST_F(SettingsFileTest, AnInterruptedSaveLeavesTheOldFileOrTheNewOneWhole)
{
    store(FullFile);
    readAndEnterMode();
    settings.CityID = QStringLiteral("27612");
    controls.town = QStringLiteral("Москва");
    settings.TempLabel = false;
    settings.SizeFontForSkin = 9;
    QByteArray saved = FullFile;
    saved.replace("CityIDSave=27196", "CityIDSave=27612")
        .replace("CityNameSave=Киров", "CityNameSave=Москва")
        .replace("[TempLabel]\nChecked=1", "[TempLabel]\nChecked=0")
        .replace("Size=7", "Size=9");
    for (const int failingReplacement : {1, 2, 4, 24}) {
        SCOPED_TRACE(failingReplacement);
        store(FullFile);
        platform.fileStore = test::FaultyFileStore();
        platform.fileStore.failFromReplacement(failingReplacement);
        try {
            save();
        } catch (const AppError &error) {
            EXPECT_EQ(error.text(), QStringLiteral("Unable to write to ") + path());
            EXPECT_EQ(stored(), FullFile) << "a failed save leaves the file as it was";
            continue;
        }
        EXPECT_EQ(stored(), saved);
    }
}

} // namespace
} // namespace tervalo
