// SPDX-License-Identifier: GPL-3.0-or-later
// A new index map from the sheets alone, as GDAL and the pipeline take it.

#include "Process.h"
#include "QtPrint.h"
#include "GuiApplication.h"
#include "MapFiles.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/CalcPoints.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/newindex/MakeIndexMap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

class MakeIndexMapTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGuiApplication(); }
    StepOutcome make(const QString& maps, int width = 4000, bool overwrite = false)
    {
        return MakeIndexMap(ws, maps, file, width, overwrite);
    }
    QTemporaryDir dir;
    QString file = dir.filePath("made.map");
    MemoryLog log;
    Workspace ws{log, "."};
};

TEST_F(MakeIndexMapTest, TheDemoSheetsGiveAMapGdalAndThePipelineTake)
{
    ASSERT_EQ(make(TESSARINE_DEMO "/maps"), StepOutcome::Completed) << log.lines().join(u'\n').toStdString();

    Workspace run(log, ".");
    QString maps = TESSARINE_DEMO "/maps";
    ASSERT_EQ(Analyze(run, maps, file), StepOutcome::Completed);
    ASSERT_EQ(LoadImage(run, file), StepOutcome::Completed);
    ASSERT_EQ(CalcPoints(run), StepOutcome::Completed);
    EXPECT_EQ(run.data.GoodMapsCount, 17);
    const TSingleMap& index = run.data.IndexMap;

    if (!HasProgram("gdalinfo"))
        GTEST_SKIP() << "gdalinfo (gdal-bin) is not installed";
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

}  // namespace
