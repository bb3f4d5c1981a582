#include "QtPrint.h"
#include "ErrorText.h"
#include "AnalyzeFolder.h"
#include "MapFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>

namespace {

using testfiles::Write;

class AnalyzeTest : public AnalyzeFolder {
protected:
    void SetUp() override { prepare(testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40)); }

    void sheet(const QString& file, const QByteArray& bytes) { Write(mapsDir + "/" + file, bytes); }

    void goodSheet(const QString& file, const QString& name)
    {
        sheet(file, testfiles::Sheet(name, "C:\\scans\\" + name + ".jpg", {{31, 59}, {32, 59}, {32, 58}, {31, 58}}));
    }

    // A run in a workspace of its own; returns the error text, empty when none.
    QString runFresh(Workspace& fresh, const QString& index)
    {
        QString dir = mapsDir;
        return ErrorText([&] { Analyze(fresh, dir, index); });
    }

    QStringList lines() const { return log.lines(); }
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
        EXPECT_EQ(runFresh(fresh, c.path), "");
        EXPECT_EQ(caseLog.lines(), QStringList{c.message});
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
}

TEST_F(AnalyzeTest, AnIndexMapEndingInItsPointLinesStopsBeforeTheScan)
{
    const QByteArray bytes = "h\r\nIndex\r\nindex.jpg\r\nMMPNUM,4\r\nMMPXY,1,0,0\r\nMMPXY,2,1000,0\r\n";
    Write(indexFile, bytes);
    EXPECT_EQ(ErrorText([&] { run(); }), "List index out of bounds (6)");
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_TRUE(ws.commands.enabled(Command::Analyze));
    EXPECT_EQ(testfiles::Read(indexFile), bytes);
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

// Bad calibration files of every kind: each gets the program's own message and
// stays as it was.
TEST_F(AnalyzeTest, EachBadSheetGetsItsMessageAndStaysAsItWas)
{
    const QByteArray head = "OziExplorer Map Data File Version 2.2\r\nn\r\ni.jpg\r\n";
    const QByteArray points = "MMPXY,1,0,0\r\nMMPXY,2,0,0\r\nMMPXY,3,0,0\r\nMMPXY,4,0,0\r\n";
    const QByteArray good = testfiles::Sheet("Good", "g.jpg", {{31, 59}, {32, 59}, {32, 58}});
    const QByteArray megabyte(1 << 20, 'x');
    QByteArray everyByte;  // 1..255 over and over: line ends but no MMPNUM
    for (int round = 0; round < 16 * 255; ++round)
        everyByte.append(static_cast<char>(round % 255 + 1));
    QByteArray withNul = good;
    withNul.insert(withNul.indexOf("MMPNUM"), '\0');
    const QStringList goodCorners{"...MMPNUM = 3", "...p1 Lat=59, Lon=31", "...p2 Lat=59, Lon=32",
                                  "...p3 Lat=58, Lon=32", "...is ok", "", "", "1 map files analysed",
                                  "1 map files is ok"};
    const auto named = [&](const QString& name) { return QStringList{"a.map", "...original map name is " + name} + goodCorners; };
    const QStringList noMmpnum{"...MMPNUM not found", "", "", "1 map files analysed", "0 map files is ok"};

    struct Case {
        const char* what;
        QByteArray sheet;
        QString error;    // empty: the analysis completes
        QStringList log;  // the last lines
    };
    const Case cases[] = {
        {"empty file", "", "List index out of bounds (2)", {"a.map"}},
        {"one line without a line end", "MMPNUM,4", "List index out of bounds (2)", {"a.map"}},
        {"1 MB on one line", megabyte, "List index out of bounds (2)", {"a.map"}},
        {"binary", everyByte, "", noMmpnum},
        {"no MMPNUM line", "h\r\n\r\nc.jpg\r\n", "", QStringList{"...original map name is "} + noMmpnum},
        {"zero count", head + "MMPNUM,0\r\n", "", noMmpnum},
        {"negative count", head + "MMPNUM,-5\r\n", "", noMmpnum},
        {"a bad point line leaves zero corners",
         QByteArray(good).replace("MMPLL,2,", "MMPLL,3,"), "",
         {"...MMPNUM = 3", "...has no good MMPLL", "...p1 Lat=59, Lon=31", "...p2 Lat=0, Lon=0", "...p3 Lat=0, Lon=0",
          "...is not inside index map", "", "", "1 map files analysed", "0 map files is ok"}},
        {"MMPNUM without a comma", head + "MMPNUM 4\r\n", "'MMPNUM 4' is not a valid integer value", {"a.map"}},
        {"count beyond 32 bits", head + "MMPNUM,4294967296\r\n", "'4294967296' is not a valid integer value",
         {"a.map"}},
        {"huge count", head + "MMPNUM,2000000000\r\n", "List index out of bounds (2000000004)",
         {"...MMPNUM = 2000000000"}},
        {"points past the end", head + "MMPNUM,4\r\n" + points + "MMPLL,1,31,59\r\nMMPLL,2,32,59\r\n",
         "List index out of bounds (10)", {"a.map", "...original map name is n", "...MMPNUM = 4"}},
        {"bad coordinate", head + "MMPNUM,1\r\nMMPXY,1,0,0\r\nMMPLL,1,abc,5\r\n",
         "'abc' is not a valid floating point value", {"...MMPNUM = 1"}},
        {"NUL before the MMPNUM line", withNul, "", QStringList{"a.map", "...original map name is Good"} + noMmpnum},
        {"1 MB map name", testfiles::Sheet(QString::fromLatin1(megabyte), "g.jpg", {{31, 59}, {32, 59}, {32, 58}}),
         "", named(QString::fromLatin1(megabyte))},
        {"windows-1251 name", QByteArray(good).replace("Good", "N-37 \xD1\xFB\xF7\xE5\xE2\xEE"), "",
         named(QString::fromUtf8("N-37 Сычево"))},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + QByteArray(good).replace("Good", "Москва"), "",
         named(QString::fromUtf8("Москва"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sheet("a.map", c.sheet);
        MemoryLog caseLog;
        Workspace fresh(caseLog, ".");
        EXPECT_EQ(runFresh(fresh, indexFile), c.error);
        EXPECT_EQ(caseLog.lines().first(), "Index map is ok");
        EXPECT_EQ(caseLog.lines().mid(caseLog.lines().size() - c.log.size()), c.log);
        EXPECT_EQ(fresh.commands.enabled(Command::Analyze), !c.error.isEmpty());
        EXPECT_EQ(fresh.commands.enabled(Command::ClearAll), c.error.isEmpty());
        EXPECT_EQ(testfiles::Read(mapsDir + "/a.map"), c.sheet) << "calibration files are only read";
    }
}

TEST_F(AnalyzeTest, ASheetFileNamedInWindows1251IsReadUnderItsCyrillicName)
{
    const QByteArray bytes = testfiles::Sheet("Good", "g.jpg", {{31, 59}, {32, 59}, {32, 58}});
    const QByteArray native = QFile::encodeName(mapsDir) + "/\xD1\xFB\xF7\xE5\xE2\xEE.map";  // not UTF-8
    std::FILE* file = std::fopen(native.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
    std::fclose(file);
    EXPECT_EQ(run(), StepOutcome::Completed);
    EXPECT_EQ(lines().mid(2, 2), (QStringList{QString::fromUtf8("Сычево.map"), "...original map name is Good"}));
    EXPECT_EQ(lines().last(), "1 map files is ok");
    EXPECT_EQ(ws.data.Maps.at(0).FileName, QString::fromUtf8("Сычево.map"));
}

TEST_F(AnalyzeTest, AFolderOrAPipeNamedLikeASheet)
{
    QDir(mapsDir).mkdir("old.map");
    const QString error = ErrorText([&] { run(); });  // run() ends the folder name with a separator
    EXPECT_EQ(error, QStringLiteral("Cannot open file \"%1\". Is a directory").arg(mapsDir + "old.map"));
    EXPECT_EQ(lines().last(), "old.map");

    QDir(mapsDir).rmdir("old.map");
    ASSERT_EQ(::mkfifo(QFile::encodeName(mapsDir + "pipe.map").constData(), 0600), 0);
    MemoryLog pipeLog;
    Workspace fresh(pipeLog, ".");
    EXPECT_EQ(runFresh(fresh, indexFile), "List index out of bounds (2)") << "read as empty, without waiting";
    EXPECT_EQ(pipeLog.lines().last(), "pipe.map");
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
