// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "QtPrint.h"
#include "workflow/coverage/Coverage.h"

#include <gtest/gtest.h>

namespace {

// A usable sheet whose corners are the cell `name`'s.
TSingleMap SheetOf(const QString& name)
{
    const SheetCell c = *ReadSheetName(name).cell;
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
    for (const QStringList& row : testfiles::Rows("coverage/auto.txt")) {
        std::vector<TSingleMap> sheets;
        for (const QString& name : row[0].split(' ', Qt::SkipEmptyParts))
            sheets.push_back(SheetOf(name));
        EXPECT_EQ(ComputeCoverage(Collection(sheets), kAutoScale).scale, row[1].toInt()) << row[0].toStdString();
    }
}

}  // namespace
