// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "settings/StoredSettings.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/mount.h>

#include <tuple>

namespace {

TEST(ParseIniInteger, TakesDecimalsAndHexadecimalsAfterADollarAnXOrA0x)
{
    for (const QStringList& row : testfiles::Rows("settings/integers.txt"))
        EXPECT_EQ(ParseIniInteger(row[0]), row[1] == "-" ? std::nullopt : std::optional(row[1].toInt())) << row[0].toStdString();
}

class SettingsFile : public ::testing::Test {
protected:
    // As a window opening now would read it.
    StoredSettings read() const { return ReadStoredSettings(IniFile(path)); }

    QTemporaryDir dir;
    QString path = dir.filePath("t.ini");
};

TEST_F(SettingsFile, ReadsAnyLetterCaseAndNumberFormAndKeepsDefaultsForTheRest)
{
    testfiles::Write(path, "; a comment\r\n[MISC]\r\nmapsdir = /data/maps \r\nmeResHeight=$A0\r\n[Graphics]\r\n"
                           "ALPHA=0x10\r\nFillPolygons=5\r\nLineWidth=abc\r\nCenterNames=x1\r\nFont=00zz\r\n");
    const StoredSettings s = read();
    EXPECT_EQ(std::tie(s.mapsDir, s.mapFile, s.meResHeight, s.alpha, s.fillPolygons, s.lineWidth, s.centerNames, s.lineColor, s.namesSrc),
              std::make_tuple(QString("/data/maps"), QString(), 160, 16, true, 5, 1, 9, 0));
    EXPECT_EQ(s.font, std::nullopt) << "a damaged font keeps the default";
    testfiles::Write(path, "[graphics]\nFillPolygons=0\n");
    EXPECT_FALSE(read().fillPolygons);
}

TEST_F(SettingsFile, WritesEveryKeyInOrderAndReadsThemBack)
{
    StoredSettings s;
    std::tie(s.mapsDir, s.mapFile, s.meResHeight, s.namesSrc, s.lineWidth, s.lineColor, s.fillPolygons, s.centerNames,
             s.alpha) = std::make_tuple("/maps/", "/index.map", 140, 2, 7, 13, true, 1, 12);
    NamesFont font;
    font.family = "DejaVu Sans";
    font.height = -21;
    font.color = 0xFF123456u;
    font.italic = font.strikeOut = true;
    s.font = font;
    IniFile ini(path);
    WriteStoredSettings(ini, s);
    EXPECT_EQ(QString::fromUtf8(testfiles::Read(path)),
              "[misc]\nMapsDir=/maps/\nMapFile=/index.map\nmeResHeight=140\n\n[graphics]\nFont=" + EncodeIniBinary(SerializeNamesFont(font)) +
                  "\nLineWidth=7\nLineColor=13\nFillPolygons=1\nCenterNames=1\nNamesSrc=2\nAlpha=12\n");
    const StoredSettings back = read();
    EXPECT_EQ(std::tie(back.mapsDir, back.mapFile, back.meResHeight, back.font, back.namesSrc, back.lineWidth, back.lineColor, back.fillPolygons, back.centerNames, back.alpha),
              std::tie(s.mapsDir, s.mapFile, s.meResHeight, s.font, s.namesSrc, s.lineWidth, s.lineColor, s.fillPolygons, s.centerNames, s.alpha));
    EXPECT_EQ(back.coverageScale, 0);

    // The coverage scale has its section once it is not Auto, and keeps it;
    // the sheet corners follow that section on the same terms.
    EXPECT_EQ(back.sheetCorners, 0);
    using Key = std::tuple<int StoredSettings::*, const char*, int>;
    for (const auto& [field, tail, value] : {Key{&StoredSettings::coverageScale, "Alpha=12\n\n[coverage]\nScale=%1\n", 50000},
                                             Key{&StoredSettings::coverageScale, "Alpha=12\n\n[coverage]\nScale=%1\n", 0},
                                             Key{&StoredSettings::sheetCorners, "Scale=0\n\n[calibration]\nCorners=%1\n", 2},
                                             Key{&StoredSettings::sheetCorners, "Scale=0\n\n[calibration]\nCorners=%1\n", 0}}) {
        s.*field = value;
        IniFile again(path);
        WriteStoredSettings(again, s);
        EXPECT_TRUE(testfiles::Read(path).endsWith(QString(tail).arg(value).toUtf8())) << tail;
        EXPECT_EQ(read().*field, value) << tail;
    }
    // The Publish dialog's catalogue, on the same terms.
    for (const QString& catalogue : {QStringLiteral("/lib/Каталог 1.csv"), QString()}) {
        s.webCatalogue = catalogue;
        IniFile again(path);
        WriteStoredSettings(again, s);
        EXPECT_TRUE(testfiles::Read(path).endsWith(("Corners=0\n\n[web]\nCatalogue=" + catalogue + "\n").toUtf8()));
        EXPECT_EQ(read().webCatalogue, catalogue);
    }
    IniFile nowhere(path + "/t.ini");  // under a file: no folder to write in
    EXPECT_EQ(ErrorText([&] { WriteStoredSettings(nowhere, s); }), "Unable to write to " + path + "/t.ini");
}

// One write at close, key by key as rewriting the file per key would.
TEST_F(SettingsFile, ADefaultWriteKeepsWhatTheFileHeld)
{
    const QString font = "Font=" + EncodeIniBinary(SerializeNamesFont(NamesFont{}));
    const auto text = [&](QString row) { return row.replace("\\r", "\r").replace("\\n", "\n").replace("{font}", font); };
    for (const QStringList& row : testfiles::Rows("settings/default-writes.txt")) {
        testfiles::Write(path, text(row[0]).toUtf8());
        IniFile ini(path);
        WriteStoredSettings(ini, StoredSettings{});
        EXPECT_EQ(QString::fromUtf8(testfiles::Read(path)), text(row[1])) << row[0].toStdString();
    }
}

// A disk that refuses the write leaves every old key and no temporary
// file: one with room for a short file only (where writing key by key
// would stop halfway, the long paths written and the rest not), or a
// read-only one. The disk is a small tmpfs of the test's own.
class RefusedWrite : public ::testing::TestWithParam<bool> {
protected:
    ~RefusedWrite() override
    {
        if (mounted)
            ::umount2(disk.constData(), MNT_DETACH);
    }

    QTemporaryDir root;
    QByteArray disk = QFile::encodeName(root.filePath("disk"));
    bool mounted = false;
};

TEST_P(RefusedWrite, LeavesTheOldFileByteForByte)
{
    const bool full = GetParam();
    QDir(root.path()).mkpath("disk");
    mounted = ::mount("tmpfs", disk.constData(), "tmpfs", 0, "size=64k") == 0;
    if (!mounted)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const QString path = root.filePath("disk/tessarine.ini");
    const QByteArray old = "[misc]\r\nMapsDir=/old/\r\n[graphics]\r\nLineWidth=3\r\nUnknown=kept\r\n";
    testfiles::Write(path, old);
    IniFile ini(path);
    if (full) {
        QFile filler(root.filePath("disk/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        filler.write(QByteArray(64 * 1024, 'x'));  // as much as fits
        ASSERT_TRUE(filler.resize(filler.size() - 4096)) << "one page left free";
    } else {
        ASSERT_EQ(::mount(nullptr, disk.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    }
    StoredSettings s;
    s.mapsDir = QString(3000, 'm');
    s.mapFile = QString(3000, 'f');
    s.lineWidth = 9;
    s.coverageScale = 50000;
    EXPECT_EQ(ErrorText([&] { WriteStoredSettings(ini, s); }), "Unable to write to " + path);
    EXPECT_EQ(testfiles::Read(path), old);
    EXPECT_EQ(QDir(root.filePath("disk")).entryList(QDir::Files | QDir::Hidden),
              full ? QStringList({"filler", "tessarine.ini"}) : QStringList{"tessarine.ini"});
}

INSTANTIATE_TEST_SUITE_P(FullOrReadOnly, RefusedWrite, ::testing::Bool());

TEST(NamesFontValue, ADamagedValueIsRefused)
{
    const QByteArray good = SerializeNamesFont(NamesFont{});
    QByteArray wrongMagic = good;
    wrongMagic[0] = 'Z';
    for (const QByteArray& bad : {QByteArray(), good.chopped(1), good + "x", wrongMagic, QByteArray("TPF0\x0aTFontDialog", 15)})
        EXPECT_EQ(DeserializeNamesFont(bad), std::nullopt) << bad.toHex().toStdString();
}

}  // namespace
