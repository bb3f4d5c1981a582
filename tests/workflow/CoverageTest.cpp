// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "QtPrint.h"
#include "workflow/panel/Analyze.h"
#include "workflow/coverage/Coverage.h"

#include <gtest/gtest.h>

namespace {

// A usable sheet whose corners are the cell `name`'s.
TSingleMap SheetOf(const char* name)
{
    const SheetCell c = *ReadSheetName(QString::fromUtf8(name)).cell;
    TSingleMap sheet;
    sheet.IsOk = true;
    sheet.LatLon = {{c.north, c.west}, {c.north, c.east}, {c.south, c.east}, {c.south, c.west}};
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
            sheets.push_back(SheetOf(name));
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
