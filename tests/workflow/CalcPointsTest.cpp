#include "QtPrint.h"
#include "ErrorText.h"
#include "workflow/CalcPoints.h"

#include <gtest/gtest.h>

namespace {

TSingleMap Sheet(const QString& file, std::vector<TGeoPoint> corners, bool ok = true)
{
    TSingleMap sheet;
    sheet.FileName = file;
    sheet.IsOk = ok;
    sheet.LatLon = std::move(corners);
    return sheet;
}

class CalcPointsTest : public ::testing::Test {
protected:
    // The index map 60N 30E / 60N 40E / 50N 40E / 50N 30E on a 1000 × 800 image.
    void SetUp() override { index(60, 50, 30, 40, 1000, 800); }

    void index(double north, double south, double west, double east, int32_t width, int32_t height)
    {
        TSingleMap& map = ws.data.IndexMap;
        map.IsOk = true;
        map.LatLon = {{north, west}, {north, east}, {south, east}, {south, west}};
        map.Pixels = {{0, 0}, {width, 0}, {width, height}, {0, height}};
    }

    void add(TSingleMap sheet)
    {
        ws.data.GoodMapsCount += sheet.IsOk ? 1 : 0;
        ws.data.Maps.push_back(std::move(sheet));
    }

    QString errorOfRun() { return ErrorText([&] { CalcPoints(ws); }); }

    MemoryLog log;
    Workspace ws{log, "."};
};

TEST_F(CalcPointsTest, TheWorkedExample)
{
    add(Sheet("a.map", {{55, 35}, {57.5, 31.25}, {45, 28}}));
    EXPECT_EQ(CalcPoints(ws), StepOutcome::Completed);
    EXPECT_EQ(ws.data.Maps[0].Pixels, (std::vector<TPixel>{{500, 425}, {125, 220}, {-200, 1138}}));
    EXPECT_EQ(log.lines(), (QStringList{"", "Calculating Mercator...", "", "a.map", "...p0 x = 500, y = 425",
                                        "...p1 x = 125, y = 220", "...p2 x = -200, y = 1138", "", "Calculated"}));
    EXPECT_EQ(log.pendingEventCalls(), 1);
    EXPECT_TRUE(ws.commands.enabled(Command::Draw));
    EXPECT_TRUE(ws.commands.enabled(Command::Names));
    EXPECT_TRUE(ws.commands.enabled(Command::CalcNames));
    EXPECT_FALSE(ws.commands.enabled(Command::Calc));
}

TEST_F(CalcPointsTest, TheEdgesMapToZeroAndTheFullSize)
{
    add(Sheet("edges.map", {{60, 30}, {60, 40}, {50, 40}, {50, 30}}));
    CalcPoints(ws);
    EXPECT_EQ(ws.data.Maps[0].Pixels, (std::vector<TPixel>{{0, 0}, {1000, 0}, {1000, 800}, {0, 800}}));
}

TEST_F(CalcPointsTest, ExactHalvesGoToTheEvenNeighbour)
{
    // Symmetric longitudes put 0° exactly half way across.
    for (const auto& [width, expected] : {std::pair{5, 2}, {7, 4}, {9, 4}, {11, 6}}) {
        index(10, -10, -10, 10, width, 100);
        ws.data.Maps.clear();
        ws.data.GoodMapsCount = 0;
        add(Sheet("m.map", {{0, 0}}));
        CalcPoints(ws);
        EXPECT_EQ(ws.data.Maps[0].Pixels[0].X, expected) << width;
    }
}

TEST_F(CalcPointsTest, UnusableSheetsAreLeftAloneAndAnyCornerCountWorks)
{
    TSingleMap bad = Sheet("bad.map", {{55, 35}}, false);
    bad.Pixels = {{7, 7}, {8, 8}};
    add(bad);
    std::vector<TGeoPoint> corners;
    for (int k = 0; k < 40; ++k)
        corners.push_back({50.0 + k * 0.25, 30.0 + k * 0.25});
    add(Sheet("many.map", corners));
    add(Sheet("none.map", {}));
    CalcPoints(ws);
    EXPECT_EQ(ws.data.Maps[0].Pixels, (std::vector<TPixel>{{7, 7}, {8, 8}}));
    ASSERT_EQ(ws.data.Maps[1].Pixels.size(), 40u);
    EXPECT_EQ(ws.data.Maps[1].Pixels[4].X, 100);
    EXPECT_EQ(log.lines().mid(0, 5), (QStringList{"", "Calculating Mercator...", "", "many.map", "...p0 x = 0, y = 800"}));
    EXPECT_TRUE(log.lines().contains("...p39 x = 975, y = 23"));
    EXPECT_TRUE(ws.data.Maps[2].Pixels.empty());
    EXPECT_EQ(log.lines().mid(log.lines().size() - 4), (QStringList{"", "none.map", "", "Calculated"}));
}

TEST_F(CalcPointsTest, WithoutAUsableIndexMapNoButtonChanges)
{
    add(Sheet("a.map", {{55, 35}}));
    ws.data.IndexMap.IsOk = false;
    CalcPoints(ws);
    EXPECT_EQ(log.lines().last(), "Calculated");
    EXPECT_FALSE(ws.commands.enabled(Command::Draw));
    EXPECT_FALSE(ws.commands.enabled(Command::CalcNames));
}

TEST_F(CalcPointsTest, ArithmeticFaultsStopWhereTheyOccur)
{
    add(Sheet("a.map", {{55, 35}}));
    add(Sheet("b.map", {{56, 36}, {-90, 35}, {57, 37}}));
    add(Sheet("c.map", {{55, 35}}));
    EXPECT_EQ(errorOfRun(), "Floating point division by zero");
    EXPECT_EQ(log.lines(), (QStringList{"", "Calculating Mercator...", "", "a.map", "...p0 x = 500, y = 425", "",
                                        "b.map", "...p0 x = 600, y = 345"}));
    EXPECT_EQ(ws.data.Maps[1].Pixels.size(), 3u) << "sized before its corners are computed";
    EXPECT_TRUE(ws.data.Maps[2].Pixels.empty());
    EXPECT_FALSE(ws.commands.enabled(Command::Draw));

    ws.data.Maps[1].LatLon[1].Lat = 91;
    EXPECT_EQ(errorOfRun(), "Invalid floating point operation");

    // Positions beyond 32 bits are refused.
    index(60, 50, 30, 40, 2000000000, 800);
    ws.data.Maps = {Sheet("far.map", {{55, 35}, {55, 50}})};
    EXPECT_EQ(errorOfRun(), "Invalid floating point operation");
    EXPECT_EQ(log.lines().last(), "...p0 x = 1000000000, y = 425");
}

TEST_F(CalcPointsTest, ZeroSpansOfTheIndexMap)
{
    struct Case {
        double north, south, west, east, lat, lon;
        const char* error;
    };
    for (const Case& c : {
             Case{60, 50, 30, 30, 55, 35, "Floating point division by zero"},
             Case{60, 50, 30, 30, 55, 30, "Invalid floating point operation"},
             Case{50, 50, 30, 40, 55, 35, "Floating point division by zero"},
             Case{50, 50, 30, 40, 50, 35, "Invalid floating point operation"},
         }) {
        index(c.north, c.south, c.west, c.east, 1000, 800);
        ws.data.Maps = {Sheet("a.map", {{c.lat, c.lon}})};
        EXPECT_EQ(errorOfRun(), c.error) << c.north << ' ' << c.south << ' ' << c.west << ' ' << c.east;
    }
}

}  // namespace
