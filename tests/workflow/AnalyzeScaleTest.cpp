#include "QtPrint.h"
#include "AnalyzeFolder.h"
#include "ScaleMaps.h"

#include <gtest/gtest.h>

namespace {

class AnalyzeScaleTest : public AnalyzeFolder {
protected:
    AnalyzeScaleTest() : AnalyzeFolder(scalemaps::ScratchTemplate()) {}
    void SetUp() override { prepare(scalemaps::IndexMap()); }
};

TEST_F(AnalyzeScaleTest, AFolderOfTwentyThousandSheetsIsReadWhole)
{
    constexpr int kSheets = 20000;
    scalemaps::WriteSheets(mapsDir, kSheets);

    ASSERT_EQ(run(), StepOutcome::Completed);

    ASSERT_EQ(ws.data.Maps.size(), std::size_t{kSheets});
    for (int i = 0; i < kSheets; ++i) {
        const TSingleMap& sheet = ws.data.Maps[static_cast<std::size_t>(i)];
        ASSERT_EQ(sheet.FileName, scalemaps::SheetFile(i));
        ASSERT_EQ(sheet.MapName, scalemaps::SheetName(i));
        ASSERT_EQ(sheet.IsOk, scalemaps::SheetInside(i)) << i;
        ASSERT_EQ(sheet.LatLon.size(), 4u);
    }
    const int good = scalemaps::InsideCount(kSheets);
    EXPECT_EQ(ws.data.GoodMapsCount, good);

    // Every sheet's block is nine lines, an inside one or not.
    const QStringList& lines = log.lines();
    ASSERT_EQ(lines.size(), 2 + 9 * kSheets + 3);
    EXPECT_EQ(lines.mid(0, 5), (QStringList{"Index map is ok", "", "s00000.map", "...original map name is Sheet 0",
                                            "...MMPNUM = 4"}));
    EXPECT_EQ(lines[2 + 7], "...is not inside index map");
    EXPECT_EQ(lines[2 + 9 + 7], "...is ok");
    EXPECT_EQ(lines.mid(lines.size() - 12),
              (QStringList{"s19999.map", "...original map name is Sheet 19999", "...MMPNUM = 4",
                           "...p1 Lat=58.1, Lon=38.9", "...p2 Lat=58.1, Lon=41", "...p3 Lat=58, Lon=41",
                           "...p4 Lat=58, Lon=38.9", "...is not inside index map", "", "", "20000 map files analysed",
                           QStringLiteral("%1 map files is ok").arg(good)}));
    EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
}

TEST_F(AnalyzeScaleTest, ASheetWithTenThousandCornersTestsEveryCorner)
{
    constexpr int kCorners = 10000;
    struct Case {
        const char* what;
        bool lastCornerOutside;
    };
    for (const Case c : {Case{"all inside", false}, Case{"last corner outside", true}}) {
        SCOPED_TRACE(c.what);
        auto corners = scalemaps::ManyCorners(kCorners);
        if (c.lastCornerOutside)
            corners.back().first = 40.5;
        testfiles::Write(mapsDir + "/many.map", testfiles::Sheet("Many", "many.jpg", corners));
        MemoryLog freshLog;
        Workspace fresh(freshLog, ".");

        QString dir = mapsDir;
        ASSERT_EQ(Analyze(fresh, dir, indexFile), StepOutcome::Completed);

        ASSERT_EQ(fresh.data.Maps.size(), 1u);
        const TSingleMap& sheet = fresh.data.Maps[0];
        ASSERT_EQ(sheet.LatLon.size(), std::size_t{kCorners});
        EXPECT_DOUBLE_EQ(sheet.LatLon.front().Lat, 51);
        EXPECT_DOUBLE_EQ(sheet.LatLon.front().Lon, 31);
        EXPECT_DOUBLE_EQ(sheet.LatLon.back().Lat, 53.25);
        EXPECT_EQ(sheet.IsOk, !c.lastCornerOutside);
        EXPECT_EQ(fresh.data.GoodMapsCount, c.lastCornerOutside ? 0 : 1);

        const QStringList& lines = freshLog.lines();
        ASSERT_EQ(lines.size(), 2 + 3 + kCorners + 2 + 3);
        EXPECT_EQ(lines[4], "...MMPNUM = 10000");
        EXPECT_EQ(lines[5], "...p1 Lat=51, Lon=31");
        EXPECT_EQ(lines[4 + kCorners],
                  c.lastCornerOutside ? "...p10000 Lat=53.25, Lon=40.5" : "...p10000 Lat=53.25, Lon=38.992");
        EXPECT_EQ(lines[5 + kCorners], c.lastCornerOutside ? "...is not inside index map" : "...is ok");
        EXPECT_EQ(lines.last(), c.lastCornerOutside ? "0 map files is ok" : "1 map files is ok");
    }
}

}  // namespace
