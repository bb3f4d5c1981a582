#include "QtPrint.h"
#include "ErrorText.h"
#include "model/MapReader.h"
#include "model/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

namespace {

TEST(SplitMapLine, CutsAtEveryCommaAndHonoursQuotes)
{
    struct {
        QString line;
        QStringList fields;
    } const cases[] = {
        {"", {}},
        {"MMPLL,1, 37.5,55.75", {"MMPLL", "1", " 37.5", "55.75"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {",", {"", ""}},
        {"\"x,y\",z", {"x,y", "z"}},
        {"\"say \"\"hi\"\"\",2", {"say \"hi\"", "2"}},
        {"\"open", {"open"}},
        {"\"a\"b,c", {"a", "b", "c"}},
        {" a , b ", {" a ", " b "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitMapLine(c.line), c.fields) << c.line.toStdString();
}

TEST(ReadMMPLL, ReadsLongitudeThenLatitudeOfTheExpectedPoint)
{
    const QStringList lines{"MMPLL,1,  37.5,  55.75", "mmpll,1,37.5,55.75", "MMPLL,1,37,5,55,75"};
    TGeoPoint p;
    ASSERT_TRUE(ReadMMPLL(lines, 0, 1, p));
    EXPECT_EQ(p.Lon, 37.5);
    EXPECT_EQ(p.Lat, 55.75);
    EXPECT_FALSE(ReadMMPLL(lines, 0, 2, p));
    EXPECT_FALSE(ReadMMPLL(lines, 1, 1, p));
    ASSERT_TRUE(ReadMMPLL(lines, 2, 1, p));  // a comma decimal separator splits the numbers
    EXPECT_EQ(p.Lon, 37.0);
    EXPECT_EQ(p.Lat, 5.0);
}

TEST(ReadMMPXY, ReadsIntegersAndIgnoresExtraFields)
{
    TPixel p;
    ASSERT_TRUE(ReadMMPXY({"MMPXY,1,10,20,extra"}, 0, 1, p));
    EXPECT_EQ(p, (TPixel{10, 20}));
    EXPECT_FALSE(ReadMMPXY({"MMPLL,1,10,20"}, 0, 1, p));
}

TEST(PointReaders, FailWithTheRuntimeErrors)
{
    TPixel px;
    TGeoPoint ll;
    EXPECT_EQ(ErrorText([&] { ReadMMPXY({"MMPXY,1,0.5,0"}, 0, 1, px); }), "'0.5' is not a valid integer value");
    EXPECT_EQ(ErrorText([&] { ReadMMPXY({""}, 0, 1, px); }), "List index out of bounds (0)");
    EXPECT_EQ(ErrorText([&] { ReadMMPXY({"MMPXY"}, 0, 1, px); }), "List index out of bounds (1)");
    EXPECT_EQ(ErrorText([&] { ReadMMPXY({"MMPXY,x"}, 0, 1, px); }), "'x' is not a valid integer value");
    EXPECT_EQ(ErrorText([&] { ReadMMPLL({"MMPLL,1,37.5"}, 0, 1, ll); }), "List index out of bounds (3)");
    EXPECT_EQ(ErrorText([&] { ReadMMPLL({"MMPLL,1,37.5,55N"}, 0, 1, ll); }),
              "'55N' is not a valid floating point value");
    EXPECT_EQ(ErrorText([&] { ReadMMPLL({"x"}, 5, 1, ll); }), "List index out of bounds (5)");
}

TEST(FindIndexMapMmpnum, MatchesTheWholeLineInAnyCaseFromLineOne)
{
    EXPECT_EQ(FindIndexMapMmpnum({"h", "x", "mmpnum,4"}), 2);
    EXPECT_EQ(FindIndexMapMmpnum({"h", "MMPNUM,4 "}), std::nullopt);
    EXPECT_EQ(FindIndexMapMmpnum({"h", "MMPNUM, 4"}), std::nullopt);
    EXPECT_EQ(FindIndexMapMmpnum({"MMPNUM,4", "x"}), std::nullopt);
    EXPECT_EQ(FindIndexMapMmpnum({"h", "MMPNUM,5"}), std::nullopt);
}

TEST(FindSheetMmpnum, TakesTheFirstLineAndTheTrimmedCount)
{
    struct {
        QStringList lines;
        qsizetype line;
        int32_t count;
    } const cases[] = {
        {{"a", "MMPNUM , 4", "MMPNUM,7"}, 1, 4},
        {{"MMPNUMX,3"}, 0, 3},
        {{"a", "MMPNUM,0"}, 1, 0},
        {{"a", "MMPNUM,-3"}, 1, 0},  // treated like a missing line
        {{"mmpnum,4"}, 0, 0},
        {{}, 0, 0},
    };
    for (const auto& c : cases) {
        const SheetMmpnum found = FindSheetMmpnum(c.lines);
        EXPECT_EQ(found.count, c.count) << c.lines.join('|').toStdString();
        if (c.count > 0) {
            EXPECT_EQ(found.line, c.line);
        }
    }
    EXPECT_EQ(ErrorText([] { FindSheetMmpnum({"MMPNUM"}); }), "'MMPNUM' is not a valid integer value");
    EXPECT_EQ(ErrorText([] { FindSheetMmpnum({"MMPNUM,four"}); }), "'four' is not a valid integer value");
}

TEST(FileNamePart, CutsAfterAnySeparator)
{
    for (const char* path : {"C:\\maps\\sheet1.jpg", "sheet1.jpg", "D:sheet1.jpg", "maps/sheet1.jpg"})
        EXPECT_EQ(FileNamePart(path), "sheet1.jpg") << path;
    EXPECT_EQ(FileNamePart("dir\\"), "");
}

// Every real calibration file is either read or refused with a runtime
// error: never a crash, never anything else.
TEST(RealMaps, EveryFileReadsOrFailsCleanly)
{
    const QDir folder(QStringLiteral(TESSARINE_REAL_MAPS));
    if (!folder.exists())
        GTEST_SKIP() << "no real-maps folder";
    int files = 0;
    QDirIterator it(folder.path(), {"*.map"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        const QStringList lines = ReadTextLines(path);
        ASSERT_GE(lines.size(), 3) << path.toStdString();
        const SheetMmpnum mmpnum = FindSheetMmpnum(lines);
        for (int32_t k = 1; k <= mmpnum.count; ++k) {
            TGeoPoint p;
            const QString error = ErrorText([&] { ReadMMPLL(lines, mmpnum.line + mmpnum.count + k, k, p); });
            EXPECT_TRUE(error.isEmpty() || error.contains("is not a valid") || error.startsWith("List index"))
                << path.toStdString() << ": " << error.toStdString();
        }
    }
    EXPECT_GT(files, 10);
}

TEST(RealMaps, ReadsTheCyrillicNameOfAWindows1251File)
{
    const QString path = QStringLiteral(TESSARINE_REAL_MAPS "/mapsoft2/ozi3.map");
    if (!QFile::exists(path))
        GTEST_SKIP() << "no real-maps folder";
    const QStringList lines = ReadTextLines(path);
    EXPECT_EQ(lines[1], QString::fromUtf8("N-37-001-А Сычево 19xx г."));
    EXPECT_EQ(FileNamePart(lines[2]), QString::fromUtf8("N-37-001-A_19xx_19xx_Сычево.jpg"));
}

}  // namespace
