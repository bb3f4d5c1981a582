#include "MapFiles.h"
#include "QtPrint.h"
#include "workflow/Analyze.h"
#include "workflow/Coverage.h"

#include <gtest/gtest.h>

namespace {

// A usable sheet whose corners are the cell `name` moved by (dLat, dLon).
TSingleMap SheetOf(const char* file, const char* name, double dLat = 0, double dLon = 0)
{
    const SheetCell c = *ReadSheetName(QString::fromUtf8(name)).cell;
    TSingleMap sheet;
    sheet.FileName = QString::fromUtf8(file);
    sheet.IsOk = true;
    sheet.LatLon = {{c.north + dLat, c.west + dLon}, {c.north + dLat, c.east + dLon},
                    {c.south + dLat, c.east + dLon}, {c.south + dLat, c.west + dLon}};
    return sheet;
}

// Index map 46..47 N, 33..34 E: the 1:100,000 cells L-36-043, 044, 055, 056, 067 and 068.
MapData Collection(std::vector<TSingleMap> sheets)
{
    MapData data;
    data.IndexMap.IsOk = true;
    data.IndexMap.LatLon = {{47, 33}, {47, 34}, {46, 34}, {46, 33}};
    data.Maps = std::move(sheets);
    data.GoodMapsCount = static_cast<int32_t>(data.Maps.size());
    return data;
}

TEST(CoverageTest, ReportsEveryFindingOneALine)
{
    TSingleMap unusable = SheetOf("gone.map", "L-36-055");
    unusable.IsOk = false;
    TSingleMap odd = SheetOf("odd.map", "L-36-056");
    odd.LatLon[2].Lat -= 0.2;
    MemoryLog log;
    Workspace ws(log, ".");
    ws.data = Collection({SheetOf("a.map", "L-36-043"), SheetOf("b.map", "L-36-043", 0.02, -0.04),
                          SheetOf("c.map", "L-36-044", -0.03, 0.04), unusable, SheetOf("L-36.map", "L-36"), odd});
    QStringList missing;
    EXPECT_EQ(Coverage(ws, kAutoScale, &missing), StepOutcome::Completed);
    EXPECT_EQ(log.lines(), (QStringList{"", "Coverage at 1:100 000 (auto)", "6 sheets of 1:100 000 inside index map",
                                        "3 map files recognised at 1:100 000", "", "4 sheets missing",
                                        "...L-36-055", "...L-36-056", "...L-36-067", "...L-36-068", "",
                                        "1 sheets held more than once", "...L-36-043: a.map, b.map", "",
                                        "2 map files are no sheet of 1:100 000", "...L-36.map is L-36 of 1:1 000 000",
                                        "...odd.map is no standard sheet"}));
    EXPECT_EQ(missing, (QStringList{"L-36-055", "L-36-056", "L-36-067", "L-36-068"}));

    MemoryLog none;
    Workspace empty(none, ".");
    empty.data = Collection({SheetOf("a.map", "L-36-043")});
    Coverage(empty, 1000000);
    EXPECT_EQ(none.lines().mid(0, 3),
              (QStringList{"", "Coverage at 1:1 000 000", "No sheet of 1:1 000 000 lies inside index map"}));
}

TEST(CoverageTest, AutoTakesTheScaleMostSheetsHaveTheMoreDetailedOfATie)
{
    struct Case {
        std::vector<const char*> names;
        int scale;
    };
    const Case kCases[] = {
        {{"L-36-043", "L-36-044", "L-36-Б"}, 100000},
        {{"L-36-043", "L-36-XII"}, 100000},
        {{"L-36-Б", "L-36-В", "L-36-043"}, 500000},
        {{"L-36-043-А-а-1", "L-36"}, 10000},
        {{}, 0},
    };
    for (const Case& c : kCases) {
        std::vector<TSingleMap> sheets;
        for (const char* name : c.names)
            sheets.push_back(SheetOf(name, name));
        EXPECT_EQ(ComputeCoverage(Collection(sheets), kAutoScale).scale, c.scale) << c.names.size();
    }
}

TEST(CoverageTest, TheDemoIsReportedAsItsFilesAreNamed)
{
    MemoryLog log;
    Workspace ws(log, ".");
    QString maps = TESSARINE_DEMO "/maps";
    ASSERT_EQ(Analyze(ws, maps, TESSARINE_DEMO "/index.map"), StepOutcome::Completed);
    ASSERT_EQ(ws.data.GoodMapsCount, 16);
    const qsizetype analysed = log.lines().size();
    Coverage(ws, kAutoScale);
    const QString expected = QString::fromUtf8(testfiles::Read(TESSARINE_TEST_DATA "/coverage/demo.txt"));
    EXPECT_EQ(log.lines().mid(analysed), expected.split('\n').mid(0, expected.count('\n')));
}

}  // namespace
