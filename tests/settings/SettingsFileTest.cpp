// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "settings/StoredSettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(ParseIniInteger, TakesDecimalsAndHexadecimalsAfterADollarAnXOrA0x)
{
    const std::pair<const char*, int> accepted[] = {
        {"30", 30}, {"  -3", -3}, {"+7", 7}, {"-2147483648", INT32_MIN},
        {"$1F", 31}, {"$1f", 31}, {"-$10", -16}, {"$FFFFFFFF", -1},
        {"x10", 16}, {"X10", 16},
        {"0x20", 32}, {"0X20", 32},
    };
    for (const auto& [text, value] : accepted)
        EXPECT_EQ(ParseIniInteger(text), value) << text;
    for (const char* refused : {"", "2147483648", "12 ", "1.5", "abc", "$", "0x", "1A", "$123456789"})
        EXPECT_EQ(ParseIniInteger(refused), std::nullopt) << refused;
}

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("t.ini");
    IniFile ini{path};
};

TEST_F(SettingsFile, ReadsAnyLetterCaseAndNumberFormAndKeepsDefaultsForTheRest)
{
    testfiles::Write(path, "; a comment\r\n[MISC]\r\nmapsdir = /data/maps \r\nmeResHeight=$A0\r\n[Graphics]\r\n"
                           "ALPHA=0x10\r\nFillPolygons=5\r\nLineWidth=abc\r\nCenterNames=x1\r\nFont=00zz\r\n");
    const StoredSettings s = ReadStoredSettings(ini);
    EXPECT_EQ(std::tie(s.mapsDir, s.mapFile, s.meResHeight, s.alpha, s.fillPolygons, s.lineWidth, s.centerNames, s.lineColor, s.namesSrc),
              std::make_tuple(QString("/data/maps"), QString(), 160, 16, true, 5, 1, 9, 0));
    EXPECT_EQ(s.font, std::nullopt) << "a damaged font keeps the default";
    testfiles::Write(path, "[graphics]\nFillPolygons=0\n");
    EXPECT_FALSE(ReadStoredSettings(ini).fillPolygons);
}

TEST_F(SettingsFile, WritesEveryKeyInOrderAndReadsThemBack)
{
    StoredSettings s{"/maps/", "/index.map", 140, std::nullopt, 2, 7, 13, true, 1, 12};
    NamesFont font;
    font.family = "DejaVu Sans";
    font.height = -21;
    font.color = 0xFF123456u;
    font.italic = font.strikeOut = true;
    WriteStoredSettings(ini, s, font);
    EXPECT_EQ(QString::fromUtf8(testfiles::Read(path)),
              "[misc]\nMapsDir=/maps/\nMapFile=/index.map\nmeResHeight=140\n\n[graphics]\nFont=" + EncodeIniBinary(SerializeNamesFont(font)) +
                  "\nLineWidth=7\nLineColor=13\nFillPolygons=1\nCenterNames=1\nNamesSrc=2\nAlpha=12\n");
    s.font = font;
    const StoredSettings back = ReadStoredSettings(ini);
    EXPECT_EQ(std::tie(back.mapsDir, back.mapFile, back.meResHeight, back.font, back.namesSrc, back.lineWidth, back.lineColor, back.fillPolygons, back.centerNames, back.alpha),
              std::tie(s.mapsDir, s.mapFile, s.meResHeight, s.font, s.namesSrc, s.lineWidth, s.lineColor, s.fillPolygons, s.centerNames, s.alpha));
    EXPECT_EQ(back.coverageScale, 0);

    // The coverage scale has its section once it is not Auto, and keeps it.
    for (const int scale : {50000, 0}) {
        s.coverageScale = scale;
        WriteStoredSettings(ini, s, font);
        EXPECT_TRUE(testfiles::Read(path).endsWith(QStringLiteral("Alpha=12\n\n[coverage]\nScale=%1\n").arg(scale).toUtf8()));
        EXPECT_EQ(ReadStoredSettings(ini).coverageScale, scale);
    }
    // The sheet corners follow the coverage section on the same terms.
    EXPECT_EQ(ReadStoredSettings(ini).sheetCorners, 0);
    for (const int corners : {2, 0}) {
        s.sheetCorners = corners;
        WriteStoredSettings(ini, s, font);
        EXPECT_TRUE(testfiles::Read(path).endsWith(
            QStringLiteral("Scale=0\n\n[calibration]\nCorners=%1\n").arg(corners).toUtf8()));
        EXPECT_EQ(ReadStoredSettings(ini).sheetCorners, corners);
    }
    IniFile nowhere(path + "/t.ini");  // under a file: no folder to write in
    EXPECT_EQ(ErrorText([&] { WriteStoredSettings(nowhere, s, font); }), "Unable to write to " + path + "/t.ini");
}

TEST(NamesFontValue, ADamagedValueIsRefused)
{
    const QByteArray good = SerializeNamesFont(NamesFont{});
    QByteArray wrongMagic = good;
    wrongMagic[0] = 'Z';
    for (const QByteArray& bad : {QByteArray(), good.chopped(1), good + "x", wrongMagic, QByteArray("TPF0\x0aTFontDialog", 15)})
        EXPECT_EQ(DeserializeNamesFont(bad), std::nullopt) << bad.toHex().toStdString();
}

}  // namespace
