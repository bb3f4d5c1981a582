// A new index map from the sheets alone, as GDAL and the pipeline take it.

#include "ExternalReaders.h"
#include "QtPrint.h"
#include "GuiApplication.h"
#include "MapFiles.h"
#include "workflow/Analyze.h"
#include "workflow/CalcPoints.h"
#include "workflow/LoadImage.h"
#include "workflow/MakeIndexMap.h"

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

    if (!HasReader("gdalinfo"))
        GTEST_SKIP() << "gdalinfo (gdal-bin) is not installed";
    const ReaderRun info = RunReader("gdalinfo", {"-json", file});
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

TEST_F(MakeIndexMapTest, ExistingFilesStayUnlessOverwriteIsAsked)
{
    testfiles::Write(IndexImagePath(file), "mine");
    EXPECT_EQ(make(TESSARINE_DEMO "/maps"), StepOutcome::Stopped);
    EXPECT_EQ(log.lines().last(), IndexImagePath(file) + " already exists - not overwritten");
    EXPECT_EQ(testfiles::Read(IndexImagePath(file)), "mine");
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(make(TESSARINE_DEMO "/maps", 400, true), StepOutcome::Completed);
    EXPECT_TRUE(testfiles::Read(IndexImagePath(file)).startsWith("\xFF\xD8"));
}

struct Refusal {
    const char* name;
    std::vector<std::pair<double, double>> corners;  // (lon, lat) of a sheet; none: an empty folder
    const char* why;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class MakeIndexMapRefusal : public MakeIndexMapTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(MakeIndexMapRefusal, WritesNothing)
{
    QDir(dir.path()).mkdir("maps");
    if (!GetParam().corners.empty())
        testfiles::Write(dir.filePath("maps/s.map"), testfiles::Sheet("S", "s.jpg", GetParam().corners));
    EXPECT_EQ(make(dir.filePath("maps")), StepOutcome::Stopped);
    EXPECT_EQ(log.lines().last(), QString::fromUtf8(GetParam().why) + " - index map not made");
    EXPECT_FALSE(QFileInfo::exists(file) || QFileInfo::exists(IndexImagePath(file)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MakeIndexMapRefusal,
    ::testing::Values(Refusal{"empty", {}, "No map file has good MMPLL corners"},
                      Refusal{"pole", {{30, 85}, {31, 84.8}}, "The sheets with their margin reach beyond 85° of latitude"},
                      Refusal{"wide", {{-100, 10}, {100, 9}}, "The sheets with their margin span more than 180° of longitude"},
                      Refusal{"antimeridian", {{179, 10}, {180, 9}}, "The sheets with their margin reach beyond 180° of longitude"},
                      Refusal{"tall", {{30, 60}, {30.01, 50}}, "The index map would be 4000 x 6442713 pixels, beyond 1 to 65500"}));

}  // namespace
