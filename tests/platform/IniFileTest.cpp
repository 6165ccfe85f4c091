// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"
#include "platform/AppError.h"
#include "support/TestPlatform.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace tervalo {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path() const { return platform.dataFolder() + QStringLiteral("test.ini"); }
    void store(const QByteArray &contents) const
    {
        platform.writeDataFile(QStringLiteral("test.ini"), contents);
    }
    QByteArray stored() const { return platform.readDataFile(QStringLiteral("test.ini")); }

    test::TestPlatform platform;
    IniFile ini{path(), platform.files()};
};

TEST_F(IniFileTest, ReadsWithTheProfileConventions)
{
    store("[City]\n"
          "Name=  Москва  \n"
          "Quoted=\"  padded \"\n"
          "Single='x'\n"
          "Lone=\"\n"
          "Empty=\n"
          "Long=" +
          QByteArray(3000, 'a') +
          "\n"
          "[Other]\n"
          "name=other section\n");
    struct Case {
        const char *section;
        const char *key;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"City", "Name", QStringLiteral("Москва")},
        {"city", "NAME", QStringLiteral("Москва")},
        {"City", "Quoted", QStringLiteral("  padded ")},
        {"City", "Single", QStringLiteral("x")},
        {"City", "Lone", QStringLiteral("\"")},
        {"City", "Empty", QString()},
        {"City", "Long", QString(IniFile::MaxValueLength, QLatin1Char('a'))},
        {"Other", "Name", QStringLiteral("other section")},
        {"City", "Missing", std::nullopt},
        {"Missing", "Name", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.read(QLatin1String(c.section), QLatin1String(c.key)), c.expected);
    }
    EXPECT_EQ(IniFile(path() + QStringLiteral(".absent"), platform.files())
                  .read(QStringLiteral("City"), QStringLiteral("Name")),
              std::nullopt);
}

TEST_F(IniFileTest, ReadsLegacyEncodingsAndWritesBackUtf8)
{
    const QByteArray kirov = "[A]\r\nK=\xD0\x9A\xD0\xB8\xD1\x80\xD0\xBE\xD0\xB2\r\n";
    struct Case {
        const char *what;
        QByteArray bytes;
        QByteArray writtenBack;
    };
    const Case cases[] = {
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + kirov, kirov},
        {"Windows-1251", "[A]\r\nK=\xCA\xE8\xF0\xEE\xE2\r\n", kirov},
        {"UTF-16LE",
         QByteArray(
             "\xFF\xFE[\0A\0]\0\r\0\n\0K\0=\0\x1A\x04\x38\x04\x40\x04\x3E\x04\x32\x04\r\0\n\0", 30),
         kirov},
        // One line in another encoding must not turn the valid UTF-8 around it into mojibake.
        {"UTF-8 with one line in Windows-1251", kirov + "[B]\r\nL=\xC0\xE1\xE2\r\n",
         kirov + "[B]\r\nL=\xD0\x90\xD0\xB1\xD0\xB2\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        store(c.bytes);
        EXPECT_EQ(ini.read(QStringLiteral("A"), QStringLiteral("K")), QStringLiteral("Киров"));
        ini.write(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("Киров"));
        EXPECT_EQ(stored(), c.writtenBack);
    }
}

TEST_F(IniFileTest, WritesInPlaceAndAddsWhatIsMissing)
{
    // The last value goes into a section that an earlier one of the same write added.
    const std::vector<IniValue> values = {
        {QStringLiteral("a"), QStringLiteral("one"), QStringLiteral("uno")},
        {QStringLiteral("A"), QStringLiteral("Three"), QStringLiteral("3")},
        {QStringLiteral("C"), QStringLiteral("Four"), QStringLiteral("4")},
        {QStringLiteral("c"), QStringLiteral("five"), QStringLiteral("5")},
    };
    for (const bool together : {false, true}) {
        SCOPED_TRACE(together ? "in one write" : "one value at a time");
        store("; kept\n[A]\nOne = 1\n\n[B]\nTwo=2\n");
        platform.fileStore = test::FaultyFileStore();
        if (together) {
            ini.write(values);
        } else {
            for (const IniValue &v : values)
                ini.write(v.section, v.key, v.value);
        }
        EXPECT_EQ(stored(), "; kept\n[A]\nOne =uno\nThree=3\n\n[B]\nTwo=2\n[C]\nFour=4\nfive=5\n");
        EXPECT_EQ(platform.fileStore.replacements(), together ? 1 : 4);
    }

    // A value cannot smuggle lines of its own into the file.
    ini.write(QStringLiteral("B"), QStringLiteral("Two"), QStringLiteral("x\r\n[A]\nOne=evil"));
    EXPECT_EQ(ini.read(QStringLiteral("B"), QStringLiteral("Two")),
              QStringLiteral("x [A] One=evil"));
    EXPECT_EQ(ini.read(QStringLiteral("A"), QStringLiteral("One")), QStringLiteral("uno"));
}

// Writing one value rewrites the whole file in UTF-8; every other value must read as it did.
// A byte-order mark is one only at the very start of the file: anywhere else it is a character
// of its line, which then names no key or section, and the rewrite must neither turn it into a
// mark nor a mark into it. Half a surrogate pair in UTF-16 cannot be written: it reads as the
// replacement character from the start.
TEST_F(IniFileTest, WritingAValueLeavesEveryOtherReadingAsItWas)
{
    const auto utf16 = [](const QString &text) {
        return QByteArray("\xFF\xFE") +
               QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    };
    struct Case {
        const char *what;
        QByteArray bytes;
        const char *section;
        const char *key;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"a mark starting a later UTF-8 line", "[A]\nK=1\n\xEF\xBB\xBFL=2\n", "A", "L",
         std::nullopt},
        {"a mark starting a later UTF-16 line", utf16(QStringLiteral("[A]\nK=1\n\uFEFFL=2\n")), "A",
         "L", std::nullopt},
        {"a second UTF-8 mark before the first section", "\xEF\xBB\xBF\xEF\xBB\xBF[A]\nK=1\n", "A",
         "K", std::nullopt},
        {"a second UTF-16 mark before the first section", utf16(QStringLiteral("\uFEFF[A]\nK=1\n")),
         "A", "K", std::nullopt},
        {"unpaired surrogates in UTF-16",
         utf16(QStringLiteral("[A]\nK=x") + QChar(0xDFFF) + QLatin1Char('y') + QChar(0xD800) +
               QLatin1Char('\n')),
         "A", "K", QStringLiteral("x\uFFFDy\uFFFD")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        store(c.bytes);
        const QString section = QLatin1String(c.section), key = QLatin1String(c.key);
        EXPECT_EQ(ini.read(section, key), c.expected);
        ini.write(QStringLiteral("B"), QStringLiteral("M"), QStringLiteral("3"));
        EXPECT_EQ(ini.read(section, key), c.expected) << "after writing another value";
        EXPECT_EQ(ini.read(QStringLiteral("B"), QStringLiteral("M")), QStringLiteral("3"));
    }
}

TEST_F(IniFileTest, CreatesAMissingFilePrivateToTheUser)
{
    ini.write(QStringLiteral("ProxyPass"), QStringLiteral("Pass"), QStringLiteral("-ME++"));
    EXPECT_EQ(stored(), "[ProxyPass]\nPass=-ME++\n");
    EXPECT_EQ(QFileInfo(path()).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ReadUser | QFileDevice::WriteUser);
}

TEST_F(IniFileTest, AFailedWriteRaisesTheErrorAndLeavesTheFileAsItWas)
{
    const std::function<void()> writes[] = {
        [this] { ini.write(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("new")); },
        [this] {
            ini.write({{QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("new")},
                       {QStringLiteral("B"), QStringLiteral("L"), QStringLiteral("added")}});
        },
    };
    for (const auto &write : writes) {
        store("[A]\nK=old\n");
        platform.fileStore = test::FaultyFileStore();
        platform.fileStore.failFromReplacement(1);
        try {
            write();
            ADD_FAILURE() << "the write should have failed";
        } catch (const AppError &error) {
            EXPECT_EQ(error.text(), QStringLiteral("Unable to write to ") + path());
        }
        EXPECT_EQ(stored(), "[A]\nK=old\n");
    }
}

TEST_F(IniFileTest, AFolderThatCannotHoldTheFileIsAFailedWrite)
{
    IniFile nowhere(platform.dataFolder() + QStringLiteral("no/such/folder/x.ini"),
                    platform.files());
    EXPECT_THROW(nowhere.write(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("v")),
                 AppError);
}

} // namespace
} // namespace tervalo
