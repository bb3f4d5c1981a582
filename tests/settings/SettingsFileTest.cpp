#include "QtPrint.h"
#include "settings/IniFile.h"
#include "settings/StoredSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace {

struct IntegerCase {
    const char* text;
    std::optional<int> value;
};

class IniIntegerCases : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IniIntegerCases, ReadsDecimalAndHexadecimal)
{
    EXPECT_EQ(ParseIniInteger(QString::fromLatin1(GetParam().text)), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniIntegerCases,
    ::testing::Values(IntegerCase{"30", 30}, IntegerCase{"-3", -3}, IntegerCase{"+7", 7}, IntegerCase{"  12", 12},
                      IntegerCase{"$1F", 31}, IntegerCase{"$1f", 31}, IntegerCase{"x10", 16}, IntegerCase{"X10", 16},
                      IntegerCase{"0x20", 32}, IntegerCase{"0X20", 32}, IntegerCase{"-$10", -16},
                      IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"2147483647", 2147483647},
                      IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"2147483648", std::nullopt},
                      IntegerCase{"", std::nullopt}, IntegerCase{"12 ", std::nullopt}, IntegerCase{"1.5", std::nullopt},
                      IntegerCase{"abc", std::nullopt}, IntegerCase{"$", std::nullopt}, IntegerCase{"0x", std::nullopt},
                      IntegerCase{"1A", std::nullopt}, IntegerCase{"$123456789", std::nullopt}));

TEST(IniBinary, EncodesUppercasePairsAndDecodesUpToTheFirstNonHexCharacter)
{
    EXPECT_EQ(EncodeIniBinary(QByteArray("\x00\xab\x7f", 3)), QString("00AB7F"));
    EXPECT_EQ(DecodeIniBinary("00ab7F"), QByteArray("\x00\xab\x7f", 3));
    EXPECT_EQ(DecodeIniBinary("0102zz03"), QByteArray("\x01\x02", 2));
    EXPECT_EQ(DecodeIniBinary("010"), QByteArray("\x01", 1));
    EXPECT_EQ(DecodeIniBinary(""), QByteArray());
}

class IniFileTest : public ::testing::Test {
protected:
    QString text() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    void setText(const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
    QString path = dir.filePath("t.ini");
    IniFile ini{path};
};

TEST_F(IniFileTest, WritesSectionsAndKeysInTheOrderWritten)
{
    ini.writeString("misc", "MapsDir", " /maps/with = sign ");
    ini.writeInteger("misc", "meResHeight", 80);
    ini.writeBool("graphics", "FillPolygons", true);
    ini.writeInteger("misc", "meResHeight", 120);  // in place
    ini.writeBool("graphics", "Other", false);
    EXPECT_EQ(text(), QString("[misc]\nMapsDir= /maps/with = sign \nmeResHeight=120\n\n"
                              "[graphics]\nFillPolygons=1\nOther=0\n"));
    EXPECT_EQ(ini.readString("misc", "MapsDir", "x"), QString("/maps/with = sign"));
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_FALSE(ini.valueExists("misc", "MapsDir"));
    EXPECT_EQ(ini.readInteger("misc", "meResHeight", 80), 80);
    setText("[misc]\nmeResHeight=abc\nEmpty=\n");
    EXPECT_EQ(ini.readInteger("misc", "meResHeight", 80), 80);
    EXPECT_EQ(ini.readInteger("graphics", "meResHeight", 7), 7);
    EXPECT_TRUE(ini.valueExists("misc", "Empty"));
    EXPECT_EQ(ini.readString("misc", "Empty", "default"), QString());
}

TEST_F(IniFileTest, ReadsSectionsAndKeysInAnyCaseAndWindowsLineEnds)
{
    setText("; a comment\r\n[MISC]\r\nmapsdir = /data/maps\r\n[Graphics]\r\nALPHA=$10\r\nFillPolygons=5\r\n");
    EXPECT_EQ(ini.readString("misc", "MapsDir", ""), QString("/data/maps"));
    EXPECT_EQ(ini.readInteger("graphics", "Alpha", 30), 16);
    EXPECT_TRUE(ini.readBool("graphics", "FillPolygons", false));
    // A key of another section is not this section's.
    EXPECT_FALSE(ini.valueExists("misc", "Alpha"));
}

TEST_F(IniFileTest, NewKeyGoesToTheEndOfItsSectionBeforeTheNextOne)
{
    setText("[a]\nk1=1\n\n[b]\nk2=2\n");
    ini.writeInteger("a", "k3", 3);
    EXPECT_EQ(text(), QString("[a]\nk1=1\nk3=3\n\n[b]\nk2=2\n"));
}

TEST(NamesFontValue, RoundTripsEveryField)
{
    NamesFont font;
    font.family = "DejaVu Sans";
    font.height = -21;
    font.color = 0xFF123456u;
    font.bold = true;
    font.strikeOut = true;
    font.charset = 204;
    EXPECT_EQ(DeserializeNamesFont(SerializeNamesFont(font)), font);
}

TEST(NamesFontValue, DamagedOrEmptyValueIsRefused)
{
    const QByteArray good = SerializeNamesFont(NamesFont{});
    EXPECT_FALSE(DeserializeNamesFont(QByteArray()).has_value());
    EXPECT_FALSE(DeserializeNamesFont(good.left(good.size() - 1)).has_value());
    EXPECT_FALSE(DeserializeNamesFont(good + "x").has_value());
    QByteArray wrongMagic = good;
    wrongMagic[0] = 'Z';
    EXPECT_FALSE(DeserializeNamesFont(wrongMagic).has_value());
    EXPECT_FALSE(DeserializeNamesFont(QByteArray("TPF0\x0aTFontDialog", 15)).has_value());
}

TEST_F(IniFileTest, StoredSettingsWriteEveryKeyInOrderAndReadThemBack)
{
    StoredSettings s;
    s.mapsDir = "/maps/";
    s.mapFile = "/index.map";
    s.meResHeight = 140;
    s.namesSrc = 2;
    s.lineWidth = 7;
    s.lineColor = 13;
    s.fillPolygons = true;
    s.centerNames = 1;
    s.alpha = 12;
    NamesFont font;
    font.italic = true;
    WriteStoredSettings(ini, s, font);
    EXPECT_EQ(text(), "[misc]\nMapsDir=/maps/\nMapFile=/index.map\nmeResHeight=140\n\n[graphics]\nFont=" +
                          EncodeIniBinary(SerializeNamesFont(font)) +
                          "\nLineWidth=7\nLineColor=13\nFillPolygons=1\nCenterNames=1\nNamesSrc=2\nAlpha=12\n");
    const StoredSettings back = ReadStoredSettings(ini);
    EXPECT_EQ(back.font, font);
    EXPECT_EQ(std::tie(back.mapsDir, back.mapFile, back.meResHeight, back.namesSrc, back.lineWidth, back.lineColor,
                       back.fillPolygons, back.centerNames, back.alpha),
              std::tie(s.mapsDir, s.mapFile, s.meResHeight, s.namesSrc, s.lineWidth, s.lineColor, s.fillPolygons,
                       s.centerNames, s.alpha));
}

}  // namespace
