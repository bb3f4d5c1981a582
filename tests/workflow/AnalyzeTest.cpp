#include "QtPrint.h"
#include "ErrorText.h"
#include "MapFiles.h"
#include "workflow/Analyze.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>


namespace {

using testfiles::Write;

class AnalyzeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkdir("maps");
        mapsDir = root.filePath("maps");
        indexFile = root.filePath("index.map");
        Write(indexFile, testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40));
    }

    void sheet(const QString& file, const QByteArray& bytes) { Write(mapsDir + "/" + file, bytes); }

    void goodSheet(const QString& file, const QString& name)
    {
        sheet(file, testfiles::Sheet(name, "C:\\scans\\" + name + ".jpg", {{31, 59}, {32, 59}, {32, 58}, {31, 58}}));
    }

    StepOutcome run() { return Analyze(ws, mapsDir, indexFile); }

    QStringList lines() const { return log.lines(); }

    QTemporaryDir root;
    QString mapsDir;
    QString indexFile;
    MemoryLog log;
    Workspace ws{log, "."};
};

TEST_F(AnalyzeTest, AGoodSetLogsEverySheetAndEnablesLoadImage)
{
    goodSheet("b.map", "Beta");
    goodSheet("A.MAP", "Alpha");
    sheet("c.map", testfiles::Sheet("Outside", "c.jpg", {{31, 59}, {45, 59}}));
    sheet("notes.txt", "not a map");

    EXPECT_EQ(run(), StepOutcome::Completed);
    const QStringList expected{
        "Index map is ok", "", "A.MAP", "...original map name is Alpha", "...MMPNUM = 4", "...p1 Lat=59, Lon=31",
        "...p2 Lat=59, Lon=32", "...p3 Lat=58, Lon=32", "...p4 Lat=58, Lon=31", "...is ok", "", "b.map",
        "...original map name is Beta", "...MMPNUM = 4", "...p1 Lat=59, Lon=31", "...p2 Lat=59, Lon=32",
        "...p3 Lat=58, Lon=32", "...p4 Lat=58, Lon=31", "...is ok", "", "c.map", "...original map name is Outside",
        "...MMPNUM = 2", "...p1 Lat=59, Lon=31", "...p2 Lat=59, Lon=45", "...is not inside index map", "", "",
        "3 map files analysed", "2 map files is ok"};
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(mapsDir, root.filePath("maps") + "/");
    ASSERT_EQ(ws.data.Maps.size(), 3u);
    EXPECT_EQ(ws.data.Maps[0].ImageFile, "Alpha.jpg");
    EXPECT_EQ(ws.data.GoodMapsCount, 2);
    EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
    EXPECT_TRUE(ws.commands.enabled(Command::ClearAll));
    EXPECT_FALSE(ws.commands.enabled(Command::Analyze));
}

TEST_F(AnalyzeTest, AFolderWithoutSheetsEnablesOnlyClearAll)
{
    EXPECT_EQ(run(), StepOutcome::Completed);
    EXPECT_EQ(lines(), (QStringList{"Index map is ok", "", "", "0 map files analysed", "0 map files is ok"}));
    EXPECT_FALSE(ws.commands.enabled(Command::LoadImage));
    EXPECT_TRUE(ws.commands.enabled(Command::ClearAll));
    EXPECT_FALSE(ws.commands.enabled(Command::Analyze));
}

TEST_F(AnalyzeTest, AMissingIndexMapOrABadIndexPointLineStopsBeforeTheScan)
{
    const QByteArray good = testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40);
    struct {
        QString path;
        QByteArray bytes;  // written to the path when not empty
        QString message;
    } const cases[] = {
        {"", "", "Index map file does not exist"},
        {root.path(), "", "Index map file does not exist"},
        {root.filePath("none.map"), "", "Index map file does not exist"},
        {indexFile, QByteArray(good).replace("MMPXY,3,", "MMPXY,4,"), "Index map has no good MMPXY"},
        {indexFile, QByteArray(good).replace("MMPLL,2,", "MMPLX,2,"), "Index map has no good MMPLL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        if (!c.bytes.isEmpty())
            Write(c.path, c.bytes);
        MemoryLog caseLog;
        Workspace fresh(caseLog, ".");
        QString dir = mapsDir;
        EXPECT_EQ(Analyze(fresh, dir, c.path), StepOutcome::Stopped);
        EXPECT_EQ(caseLog.lines(), QStringList{c.message});
        EXPECT_EQ(dir, mapsDir);
        EXPECT_FALSE(fresh.data.IndexMap.IsOk);
        EXPECT_TRUE(fresh.commands.enabled(Command::Analyze));
        EXPECT_FALSE(fresh.commands.enabled(Command::ClearAll));
    }
}

TEST_F(AnalyzeTest, AnIndexMapWithoutFourPointsStillScansTheSheets)
{
    Write(indexFile, "header\r\nname\r\nindex.jpg\r\nMMPNUM,3\r\n");
    goodSheet("a.map", "Alpha");
    EXPECT_EQ(run(), StepOutcome::Completed);
    EXPECT_EQ(lines().first(), "Index map is not 4-point border map");
    EXPECT_TRUE(lines().contains("...is not inside index map"));
    EXPECT_EQ(lines().last(), "0 map files is ok");
    EXPECT_FALSE(ws.data.IndexMap.IsOk);
    EXPECT_FALSE(ws.commands.enabled(Command::LoadImage));
    EXPECT_TRUE(ws.commands.enabled(Command::ClearAll));
}

TEST_F(AnalyzeTest, ABadSheetPointLineLeavesZeroCorners)
{
    QByteArray bytes = testfiles::Sheet("Bad", "b.jpg", {{31, 59}, {32, 59}, {32, 58}, {31, 58}});
    bytes.replace("MMPLL,2,", "MMPLL,3,");
    sheet("b.map", bytes);
    run();
    const QStringList expected{"b.map", "...original map name is Bad", "...MMPNUM = 4", "...has no good MMPLL",
                               "...p1 Lat=59, Lon=31", "...p2 Lat=0, Lon=0", "...p3 Lat=0, Lon=0",
                               "...p4 Lat=0, Lon=0", "...is not inside index map", ""};
    EXPECT_EQ(lines().mid(2, expected.size()), expected);
    EXPECT_FALSE(ws.data.Maps[0].IsOk);
}

TEST_F(AnalyzeTest, CountsBelowOneMeanNoMmpnum)
{
    sheet("a.map", "h\r\nZero\r\nz.jpg\r\nMMPNUM,0\r\n");
    sheet("b.map", "h\r\nNegative\r\nn.jpg\r\nMMPNUM,-5\r\n");
    sheet("c.map", "h\r\n\r\nc.jpg\r\n");
    run();
    EXPECT_EQ(lines().mid(2, 12), (QStringList{"a.map", "...original map name is Zero", "...MMPNUM not found", "",
                                               "b.map", "...original map name is Negative",
                                               "...MMPNUM not found", "", "c.map", "...original map name is ",
                                               "...MMPNUM not found", ""}));
    EXPECT_EQ(ws.data.GoodMapsCount, 0);
}

TEST_F(AnalyzeTest, CornersOnTheBorderFollowTheContainmentTolerances)
{
    sheet("a.map", testfiles::Sheet("West side", "a.jpg", {{30, 55}, {31, 55}, {31, 54}}));
    sheet("b.map", testfiles::Sheet("Near east", "b.jpg", {{39.99995, 55}, {39, 55}, {39, 54}}));
    sheet("c.map", testfiles::Sheet("North side", "c.jpg", {{35, 60}, {36, 59}, {35, 59}}));
    run();
    ASSERT_EQ(ws.data.Maps.size(), 3u);
    EXPECT_FALSE(ws.data.Maps[0].IsOk);
    EXPECT_FALSE(ws.data.Maps[1].IsOk);
    EXPECT_TRUE(ws.data.Maps[2].IsOk);
}

TEST_F(AnalyzeTest, UnreadableInputEndsTheOperationWithTheRuntimeError)
{
    struct {
        QByteArray bytes;
        QString error;
        QString lastLine;
    } const cases[] = {
        {"h\r\nname\r\n", "List index out of bounds (2)", "a.map"},
        {"h\r\nn\r\ni.jpg\r\nMMPNUM,x\r\n", "'x' is not a valid integer value", "a.map"},
        {"h\r\nn\r\ni.jpg\r\nMMPNUM,2000000000\r\n", "List index out of bounds (2000000004)",
         "...MMPNUM = 2000000000"},
        {"h\r\nn\r\ni.jpg\r\nMMPNUM,1\r\nMMPXY,1,0,0\r\nMMPLL,1,abc,5\r\n",
         "'abc' is not a valid floating point value", "...MMPNUM = 1"},
    };
    for (const auto& c : cases) {
        sheet("a.map", c.bytes);
        MemoryLog caseLog;
        Workspace fresh(caseLog, ".");
        QString dir = mapsDir;
        EXPECT_EQ(ErrorText([&] { Analyze(fresh, dir, indexFile); }), c.error) << c.bytes.toStdString();
        EXPECT_TRUE(fresh.commands.enabled(Command::Analyze));
        EXPECT_FALSE(fresh.commands.enabled(Command::ClearAll));
        EXPECT_EQ(caseLog.lines().last(), c.lastLine);
    }
}

TEST_F(AnalyzeTest, AFolderNamedLikeASheetCannotBeOpened)
{
    QDir(mapsDir).mkdir("old.map");
    const QString error = ErrorText([&] { run(); });  // run() ends the folder name with a separator
    EXPECT_EQ(error, QStringLiteral("Cannot open file \"%1\". Is a directory").arg(mapsDir + "old.map"));
    EXPECT_EQ(lines().last(), "old.map");
}

TEST_F(AnalyzeTest, CoordinatesUseTheLocaleDecimalSeparator)
{
    sheet("a.map", testfiles::Sheet("Frac", "a.jpg", {{31.25, 55.75}, {32, 55.00005}, {32.5, 55}}));
    MemoryLog commaLog;
    Workspace comma(commaLog, ",");
    Analyze(comma, mapsDir, indexFile);
    EXPECT_TRUE(commaLog.lines().contains("...p1 Lat=55,75, Lon=31,25"));
    EXPECT_TRUE(commaLog.lines().contains("...p2 Lat=55,00005, Lon=32"));
}

}  // namespace
