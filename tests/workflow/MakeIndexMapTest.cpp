// SPDX-License-Identifier: GPL-3.0-or-later
// A new index map from the sheets alone, as GDAL takes it.

#include "Process.h"
#include "QtPrint.h"
#include "GuiApplication.h"
#include "MapFiles.h"
#include "workflow/panel/Analyze.h"
#include "geometry/Nomenclature.h"
#include "workflow/newindex/IndexMapPicture.h"
#include "workflow/newindex/IndexProjection.h"
#include "workflow/newindex/MakeIndexMap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

class MakeIndexMapTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGuiApplication(); }
    QTemporaryDir dir;
    QString file = dir.filePath("made.map");
    MemoryLog log;
    Workspace ws{log, "."};
};

// The pipeline's half, the made map analysed and drawn on, is the case
// batch-index-tools.txt.
TEST_F(MakeIndexMapTest, TheDemoSheetsGiveAMapGdalTakes)
{
    if (!HasProgram("gdalinfo"))
        GTEST_SKIP() << "gdalinfo (gdal-bin) is not installed";
    QString maps = TESSARINE_DEMO "/maps";
    ASSERT_EQ(MakeIndexMap(ws, maps, file, 4000, false), StepOutcome::Completed) << log.lines().join(u'\n').toStdString();
    ASSERT_EQ(Analyze(ws, maps, file), StepOutcome::Completed);
    const TSingleMap& index = ws.data.IndexMap;
    const ProcessRun info = RunProgram("gdalinfo", {"-json", file});
    ASSERT_EQ(info.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(info.out.toUtf8()).object();
    EXPECT_EQ(json["size"].toArray(), (QJsonArray{index.Pixels[2].X, index.Pixels[2].Y}));
    const double pixelLon = (index.LatLon[1].Lon - index.LatLon[0].Lon) / index.Pixels[2].X;
    const double pixelLat = (index.LatLon[0].Lat - index.LatLon[3].Lat) / index.Pixels[2].Y;
    const QJsonArray ring = json["wgs84Extent"]["coordinates"][0].toArray();
    ASSERT_EQ(ring.size(), 5);
    // GDAL starts at the north-west corner and runs the other way round.
    const int order[4] = {0, 3, 2, 1};
    for (int k = 0; k < 4; ++k) {
        const TGeoPoint& corner = index.LatLon[static_cast<std::size_t>(order[k])];
        EXPECT_NEAR(ring[k][0].toDouble(), corner.Lon, pixelLon) << k;
        EXPECT_NEAR(ring[k][1].toDouble(), corner.Lat, pixelLat) << k;
    }
}

// The graticule runs along sheet edges: no line of it (grey 8c8c8c, drawn
// without antialiasing) crosses the middle third of any demo sheet, across
// or along.
TEST_F(MakeIndexMapTest, TheDemosGraticuleStrikesThroughNoSheet)
{
    Workspace run(log, ".");
    run.data.IndexMap.LatLon = {{90, -180}, {90, 180}, {-90, 180}, {-90, -180}};
    QString maps = TESSARINE_DEMO "/maps";
    ReadMapsDirectory(run, maps);
    const IndexMapPlan plan = PlanIndexMap(run.data.Maps, kDefaultIndexMapWidth);
    ASSERT_TRUE(plan.frame);
    const QImage picture = DrawIndexMapPicture(*plan.frame);
    const IndexProjection project(FrameRecord(*plan.frame));
    const auto struck = [&](QRect band) {
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                if (picture.pixel(x, y) == qRgb(0x8c, 0x8c, 0x8c))
                    return true;
        return false;
    };
    int sheets = 0;
    for (const TSingleMap& sheet : run.data.Maps) {
        const auto cell = RecogniseSheet(sheet.LatLon);
        if (!cell || cell->scale != 100000)
            continue;
        ++sheets;
        const TPixel nw = project({cell->north, cell->west});
        const TPixel se = project({cell->south, cell->east});
        const QRect r(QPoint(nw.X, nw.Y), QPoint(se.X, se.Y));
        const int w = r.width() / 3;
        const int h = r.height() / 3;
        EXPECT_FALSE(struck(r.adjusted(w, 4, -w, -4))) << cell->name.toStdString() << " along";
        EXPECT_FALSE(struck(r.adjusted(4, h, -4, -h))) << cell->name.toStdString() << " across";
    }
    EXPECT_GE(sheets, 10);
}

}  // namespace
