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
#include "workflow/panel/LineColors.h"

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

    // The demo's sheets as Analyze reads them, every one inside.
    std::vector<TSingleMap> DemoSheets()
    {
        Workspace run(log, ".");
        run.data.IndexMap.LatLon = {{90, -180}, {90, 180}, {-90, 180}, {-90, -180}};
        QString maps = TESSARINE_DEMO "/maps";
        ReadMapsDirectory(run, maps);
        return run.data.Maps;
    }
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

// The graticule runs along sheet edges: no line of it (drawn without
// antialiasing) crosses the middle third of any demo sheet, across or along.
TEST_F(MakeIndexMapTest, TheDemosGraticuleStrikesThroughNoSheet)
{
    const std::vector<TSingleMap> sheets = DemoSheets();
    const IndexMapPlan plan = PlanIndexMap(sheets, kDefaultIndexMapWidth);
    ASSERT_TRUE(plan.frame);
    const QImage picture = DrawIndexMapPicture(*plan.frame);
    const IndexProjection project(FrameRecord(*plan.frame));
    const auto struck = [&](QRect band) {
        for (int y = band.top(); y <= band.bottom(); ++y)
            for (int x = band.left(); x <= band.right(); ++x)
                if (picture.pixel(x, y) == kGraticuleColor)
                    return true;
        return false;
    };
    int drawn = 0;
    for (const TSingleMap& sheet : sheets) {
        const auto cell = RecogniseSheet(sheet.LatLon);
        if (!cell || cell->scale != 100000)
            continue;
        ++drawn;
        const TPixel nw = project({cell->north, cell->west});
        const TPixel se = project({cell->south, cell->east});
        const QRect r(QPoint(nw.X, nw.Y), QPoint(se.X, se.Y));
        const int w = r.width() / 3;
        const int h = r.height() / 3;
        EXPECT_FALSE(struck(r.adjusted(w, 4, -w, -4))) << cell->name.toStdString() << " along";
        EXPECT_FALSE(struck(r.adjusted(4, h, -4, -h))) << cell->name.toStdString() << " across";
    }
    EXPECT_GE(drawn, 10);
}

// Sheet borders in any colour of the list stand out from the graticule: its
// hue is none of theirs (the greys have none), its lines one pixel wide, and
// no name sits on them: within three pixels of each line lie only the
// background, the cells' outlines and other lines.
TEST_F(MakeIndexMapTest, TheGraticuleNeverHidesABorderOrALabel)
{
    const QColor graticule = QColor::fromRgb(kGraticuleColor);
    ASSERT_GT(graticule.hsvSaturation(), 40);
    for (const LineColorEntry& entry : LineColors()) {
        if (!entry.rgb || QColor::fromRgb(*entry.rgb).hsvSaturation() < 20)
            continue;
        const int apart = std::abs(QColor::fromRgb(*entry.rgb).hsvHue() - graticule.hsvHue());
        EXPECT_GE(std::min(apart, 360 - apart), 20) << entry.name;
    }

    const std::vector<TSingleMap> sheets = DemoSheets();
    const IndexMapPlan plan = PlanIndexMap(sheets, kDefaultIndexMapWidth);
    ASSERT_TRUE(plan.frame);
    const IndexMapFrame& f = *plan.frame;
    const QImage picture = DrawIndexMapPicture(f);
    const IndexProjection project(FrameRecord(f));
    const auto [latStep, lonStep] = GraticuleSteps(f);
    std::vector<int> xs, ys;
    for (double k = std::ceil(f.west / lonStep); k * lonStep <= f.east; ++k)
        xs.push_back(project({f.north, k * lonStep}).X);
    for (double k = std::ceil(f.south / latStep); k * latStep <= f.north; ++k)
        ys.push_back(project({k * latStep, f.west}).Y);
    ASSERT_GE(xs.size(), 3u);
    ASSERT_GE(ys.size(), 3u);
    const auto plain = [&](int x, int y) {
        const QRgb p = picture.pixel(x, y);
        return p == kIndexBackground || p == kGraticuleColor || p == kCellLineColor;
    };
    const auto isLine = [&](const std::vector<int>& lines, int v) {
        return std::find(lines.begin(), lines.end(), v) != lines.end();
    };
    // The labels of the degrees stand at the picture's edges, a third of
    // their height off the line; the test looks between them.
    const int edge = std::max(10, f.width / 110) * 3;
    constexpr int kClear = 3;
    for (int x : xs) {
        for (int y = edge; y < f.height - edge; ++y) {
            ASSERT_EQ(picture.pixel(x, y), kGraticuleColor) << x << "," << y;
            for (int side = x - kClear; side <= x + kClear; side += side + 1 == x ? 2 : 1) {
                if (side >= 0 && side < f.width && !isLine(xs, side)) {
                    ASSERT_TRUE(plain(side, y) && (picture.pixel(side, y) != kGraticuleColor || isLine(ys, y)))
                        << "beside the line at x " << x << ", y " << y;
                }
            }
        }
    }
    for (int y : ys) {
        for (int x = edge * 3; x < f.width - edge * 3; ++x) {
            ASSERT_EQ(picture.pixel(x, y), kGraticuleColor) << x << "," << y;
            for (int side = y - kClear; side <= y + kClear; side += side + 1 == y ? 2 : 1) {
                if (side >= 0 && side < f.height && !isLine(ys, side)) {
                    ASSERT_TRUE(plain(x, side) && (picture.pixel(x, side) != kGraticuleColor || isLine(xs, x)))
                        << "beside the line at y " << y << ", x " << x;
                }
            }
        }
    }
}

}  // namespace
