// SPDX-License-Identifier: GPL-3.0-or-later
// Analyze reads a folder of 20,000 sheets, and a sheet of 10,000 corners
// (its last one outside or not) whole: every record, every line.

#include "QtPrint.h"
#include "ScaleMaps.h"
#include "workflow/panel/Analyze.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Scale {
    int sheets;   // a folder of that many, or
    int corners;  // one sheet of that many corners
    bool lastCornerOutside;
};

class AnalyzeScale : public ::testing::TestWithParam<Scale> {};

TEST_P(AnalyzeScale, ReadsAndLogsEverySheetAndCorner)
{
    const Scale s = GetParam();
    QTemporaryDir root(scalemaps::ScratchTemplate());
    QDir(root.path()).mkdir("maps");
    QString maps = root.filePath("maps");
    testfiles::Write(root.filePath("index.map"), scalemaps::IndexMap());
    auto corners = scalemaps::ManyCorners(s.corners);
    if (s.lastCornerOutside)
        corners.back().first = 40.5;
    if (s.sheets > 0)
        scalemaps::WriteSheets(maps, s.sheets);
    else
        testfiles::Write(maps + "/many.map", testfiles::Sheet("Many", "many.jpg", corners));
    MemoryLog log;
    Workspace ws(log, ".");
    ASSERT_EQ(Analyze(ws, maps, root.filePath("index.map")), StepOutcome::Completed);

    const int files = std::max(s.sheets, 1);
    const int perSheet = s.sheets > 0 ? 4 : s.corners;
    const int good = s.sheets > 0 ? scalemaps::InsideCount(s.sheets) : !s.lastCornerOutside;
    ASSERT_EQ(ws.data.Maps.size(), std::size_t(files));
    for (int i = 0; i < files; ++i) {
        const TSingleMap& sheet = ws.data.Maps[std::size_t(i)];
        ASSERT_EQ(sheet.FileName, s.sheets > 0 ? scalemaps::SheetFile(i) : "many.map");
        ASSERT_EQ(sheet.IsOk, s.sheets > 0 ? scalemaps::SheetInside(i) : !s.lastCornerOutside) << i;
        ASSERT_EQ(sheet.LatLon.size(), std::size_t(perSheet));
    }
    EXPECT_EQ(ws.data.GoodMapsCount, good);
    // A sheet's block: its name, map name and count, its corners, the verdict, a blank line.
    ASSERT_EQ(log.lines().size(), 2 + files * (perSheet + 5) + 3);
    EXPECT_EQ(log.lines().last(), QStringLiteral("%1 map files is ok").arg(good));
}

INSTANTIATE_TEST_SUITE_P(Sizes, AnalyzeScale,
                         ::testing::Values(Scale{20000, 0, false}, Scale{0, 10000, false}, Scale{0, 10000, true}));

}  // namespace
