// SPDX-License-Identifier: MIT
#include "presentation/Pictures.h"
#include "presentation/Skins.h"
#include "support/QtPrinting.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace tervalo {
namespace {

// The big weather pictures, by day and by night.
const char *const BigPictures[] = {
    "BSUN",  "BSUNCLOUD",  "BCLOUDY", "BPASMURNO", "BSHORTRAIN", "BRAIN", "BLIGHTNING", "BRAINSNOW",
    "BSNOW", "BHEAVYSNOW", "BNA",     "SUN",       "CLOUDY",     "RAIN",  "LIGHTNING",  "SNOW"};

// Every picture the program shows, with its size.
std::map<QString, QSize> inventory()
{
    std::map<QString, QSize> pictures;
    for (const char *name : BigPictures)
        pictures[QLatin1String(name)] = QSize(240, 200);
    for (const char *name :
         {"SMSUN", "SMSUNCLOUD", "SMCLOUDY", "SMPASMURNO", "SMSHORTRAIN", "SMRAIN", "SMLIGHTNING",
          "SMRAINSNOW", "SMSNOW", "SMHEAVYSNOW", "SMNA"})
        pictures[QLatin1String(name)] = QSize(60, 50);
    for (int number = 0; number < 60; ++number)
        pictures[QStringLiteral("CLOCK%1").arg(number)] = QSize(136, 148);
    pictures[QStringLiteral("CLASSIKM")] = pictures[QStringLiteral("MODERNM")] = QSize(500, 148);
    pictures[QStringLiteral("CLASSIKA")] = pictures[QStringLiteral("MODERNA")] = QSize(500, 50);
    pictures[QStringLiteral("CLSW")] = QSize(165, 79);
    pictures[QStringLiteral("CLSC")] = QSize(165, 60);
    pictures[QStringLiteral("DITW")] = QSize(165, 73);
    pictures[QStringLiteral("DITC")] = QSize(165, 52);
    pictures[QStringLiteral("MNLW")] = QSize(160, 20);
    pictures[QStringLiteral("MNLC")] = QSize(160, 25);
    return pictures;
}

// The bit depth and colour type of a PNG file, from its header chunk.
std::pair<int, int> pngFormatOf(const QString &fileName)
{
    QFile file(QStringLiteral(":/pictures/") + fileName + QStringLiteral(".png"));
    if (!file.open(QIODevice::ReadOnly))
        return {0, 0};
    const QByteArray header = file.read(26);
    return {static_cast<quint8>(header[24]), static_cast<quint8>(header[25])};
}

TEST(Pictures, EveryPictureIsThereInItsSizeAsEightBitRgba)
{
    const std::map<QString, QSize> expected = inventory();
    QStringList names = pictureNames();
    names.sort();
    QStringList expectedNames;
    for (const auto &[name, size] : expected)
        expectedNames << name;
    expectedNames.sort();
    EXPECT_EQ(names, expectedNames) << "no picture missing and none extra";

    for (const auto &[name, size] : expected) {
        SCOPED_TRACE(name.toStdString());
        const QImage picture = loadPicture(name.toLower());
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), size);
        EXPECT_TRUE(picture.hasAlphaChannel());
        EXPECT_EQ(pngFormatOf(name), std::make_pair(8, 6)) << "8 bits, colour type 6: RGBA";

        // The drawing for screens of more image pixels than window pixels.
        const QImage doubled = loadPicture(name, 2);
        EXPECT_EQ(doubled.size(), size * 2);
        EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
        EXPECT_EQ(doubled.deviceIndependentSize(), QSizeF(size)) << "as many window pixels";
        EXPECT_EQ(doubled.format(), picture.format());
        EXPECT_EQ(pngFormatOf(name + QStringLiteral("@2x")), std::make_pair(8, 6));
        EXPECT_EQ(loadPicture(name, 1).devicePixelRatio(), 1.0);
        EXPECT_EQ(loadPicture(name, 1.25), doubled) << "every ratio above 1 takes the 2x one";
    }
}

TEST(Pictures, LookupIgnoresCaseAndAnUnknownNameIsEmpty)
{
    EXPECT_FALSE(loadPicture(QStringLiteral("smsunCloud")).isNull());
    EXPECT_FALSE(loadPicture(QStringLiteral("Clock59")).isNull());
    EXPECT_TRUE(loadPicture(QStringLiteral("clock60")).isNull());
    EXPECT_TRUE(loadPicture(QString()).isNull());
}

TEST(Pictures, CardsAreOpaqueInTheMiddleAndTheBigPicturesClearAtTheCorners)
{
    const QImage card = loadPicture(QStringLiteral("CLOCK0"));
    EXPECT_EQ(qAlpha(card.pixel(68, 30)), 255) << "the card itself";
    for (const char *name : {"BSUN", "SUN", "BNA"}) {
        const QImage picture = loadPicture(QLatin1String(name));
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << name << ": see-through around the motif";
    }
}

// The widget puts the temperature, wind and humidity at 16 pixels left of the big picture and
// the town and condition from y = 125 down over it: what the picture paints must stay clear of
// them, in the part x 60 to 220, y 0 to 120 of it.
TEST(Pictures, TheBigPicturesPaintOnlyWhereNoTextStands)
{
    for (const char *name : BigPictures)
        for (const qreal ratio : {1.0, 2.0}) {
            SCOPED_TRACE(testing::Message() << name << " at " << ratio);
            const QImage picture =
                loadPicture(QLatin1String(name), ratio).convertToFormat(QImage::Format_ARGB32);
            const QRect allowed(QPoint(60, 0) * ratio, QSize(160, 120) * ratio);
            QRect ink;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (qAlpha(picture.pixel(x, y)) > 10)
                        ink |= QRect(x, y, 1, 1);
            EXPECT_TRUE(allowed.contains(ink))
                << "painted in x " << ink.left() << ".." << ink.right() << ", y " << ink.top()
                << ".." << ink.bottom();
            // and it fills that part rather than shrinking into a corner of it
            EXPECT_GT(ink.width() * ink.height(), allowed.width() * allowed.height() / 3);
        }
}

double contrast(QRgb a, QRgb b)
{
    return contrastRatio(QColor(a), QColor(b));
}

QRgb over(QRgb top, QRgb below)
{
    const double a = qAlpha(top) / 255.0;
    const auto mix = [a](int up, int down) { return qRound(up * a + down * (1 - a)); };
    return qRgb(mix(qRed(top), qRed(below)), mix(qGreen(top), qGreen(below)),
                mix(qBlue(top), qBlue(below)));
}

// The widget's white and silver texts stand on the panels, and a desktop shows through them:
// over a light desktop as over a dark one each text keeps the 4.5 to 1 of WCAG's level AA. The
// main panel starts at the window's row 24 and its texts at row 40 (the temperature) and end
// by row 170 (the date and the condition); the forecast's texts fill its panel, all but the
// highlight along its top edge.
TEST(Pictures, WhiteAndSilverTextsReadOnThePanelsOverALightDesktopAndADarkOne)
{
    const QRgb texts[] = {qRgb(0xff, 0xff, 0xff), qRgb(0xc0, 0xc0, 0xc0)};
    const QRgb desktops[] = {qRgb(0xff, 0xff, 0xff), qRgb(0xe8, 0xe8, 0xe8),
                             qRgb(0x20, 0x28, 0x30)};
    const struct {
        const char *name;
        int firstRow, endRow; // of the picture, where texts stand
    } panels[] = {{"CLASSIKM", 40 - 24, 170 - 24},
                  {"MODERNM", 40 - 24, 170 - 24},
                  {"CLASSIKA", 3, 50},
                  {"MODERNA", 3, 50}};
    for (const auto &panel : panels)
        for (const qreal ratio : {1.0, 2.0}) {
            const QImage picture = loadPicture(QLatin1String(panel.name), ratio)
                                       .convertToFormat(QImage::Format_ARGB32);
            const int r = qRound(ratio);
            for (const QRgb desktop : desktops) {
                SCOPED_TRACE(testing::Message() << panel.name << " at " << ratio << " over #"
                                                << std::hex << (desktop & 0xffffff));
                double lowest[2] = {100, 100};
                // The texts' columns: from 16 pixels in on the left to 16 before the right.
                for (int y = panel.firstRow * r; y < panel.endRow * r; ++y)
                    for (int x = 16 * r; x < picture.width() - 16 * r; ++x) {
                        const QRgb shown = over(picture.pixel(x, y), desktop);
                        for (int text = 0; text < 2; ++text)
                            lowest[text] = std::min(lowest[text], contrast(texts[text], shown));
                    }
                EXPECT_GE(lowest[0], 4.5) << "white";
                EXPECT_GE(lowest[1], 4.5) << "silver";
            }
        }
}

} // namespace
} // namespace tervalo
