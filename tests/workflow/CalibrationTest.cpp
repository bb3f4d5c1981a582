// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "QtPrint.h"
#include "formats/ozi/OziDatums.h"
#include "formats/ozi/TextFile.h"
#include "workflow/calibration/CheckCalibrations.h"
#include "workflow/calibration/SheetCalibration.h"
#include "workflow/panel/Analyze.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The worked examples of tests/data/calibration/worked-examples.txt, forward and back.
TEST(Projections, MatchPublishedWorkedExamples)
{
    const auto numbers = [](const QString& field) {
        std::vector<std::optional<double>> n;
        for (const QString& v : field.split(' '))
            n.push_back(v == "-" ? std::nullopt : std::optional(v.endsWith("ftUS") ? v.chopped(4).toDouble() * 1200.0 / 3937.0 : v.toDouble()));
        return n;
    };
    ProjTransforms proj;
    for (const QStringList& row : testfiles::Rows("calibration/worked-examples.txt")) {
        const std::string what = row[0].toStdString();
        const auto setup = numbers(row[1]), ellipsoid = numbers(row[2]), at = numbers(row[3]), xy = numbers(row[4]);
        MapCalibration c;
        c.projection = row[0];
        ASSERT_EQ(setup.size(), c.setup.size()) << what;
        std::copy(setup.begin(), setup.end(), c.setup.begin());
        const ProjectionChoice choice = ProjectionDefinition(c, {*ellipsoid[0], *ellipsoid[1]});
        ASSERT_EQ(choice.error, "") << what;
        const int handle = proj.projection(choice.definition);
        const auto got = proj.forward(handle, {*at[0], *at[1]});
        ASSERT_TRUE(got) << what;
        EXPECT_NEAR(got->x, *xy[0], row[5].toDouble()) << what;
        EXPECT_NEAR(got->y, *xy[1], row[5].toDouble()) << what;
        const auto back = proj.inverse(handle, *got);
        ASSERT_TRUE(back) << what;
        EXPECT_NEAR(back->Lat, *at[0], 1e-8) << what;
        EXPECT_NEAR(back->Lon, *at[1], 1e-8) << what;
    }
}

TEST(Projections, UtmZoneComesFromThePointsAndUnknownNamesAreFindings)
{
    MapCalibration c;
    c.projection = " (UTM) Universal Transverse Mercator";
    c.projection = c.projection.trimmed();
    c.points.push_back({"Point01", 0, 0, std::nullopt, true, 440818, 3751222, 11, false});
    EXPECT_EQ(ProjectionDefinition(c, {6378137.0, 298.257223563}).definition,
              "+proj=utm +zone=11 +a=6378137 +rf=298.25722356300003");
    c.points = {{"Point01", 0, 0, TGeoPoint{-33.9, 151.2}, false, 0, 0, 0, false}};
    EXPECT_TRUE(ProjectionDefinition(c, {6378137.0, 298.257223563}).definition.startsWith("+proj=utm +zone=56 +south"));
    c.projection = "Polar Stereographic";
    EXPECT_EQ(ProjectionDefinition(c, {6378137.0, 298.257223563}).error, "unknown projection \"Polar Stereographic\"");
}

TEST(Datums, TheTableNamesEveryCommonDatum)
{
    ProjTransforms proj;
    for (const QStringList& row : testfiles::Rows("calibration/datums.txt")) {
        EXPECT_EQ(DatumEpsgCode(row[0]), row[1].toInt()) << row[0].toStdString();
        EXPECT_TRUE(proj.ellipsoid(row[1].toInt())) << row[0].toStdString();
    }
    EXPECT_FALSE(DatumEpsgCode("Mars 2000"));
}

TEST(ReadMapCalibration, TakesDegreesElseGridAndSkipsBlankPoints)
{
    const QStringList lines = ReadTextLines(TESSARINE_TEST_DATA "/calibration/degrees-grid-blank.map");
    const MapCalibration c = ReadMapCalibration(lines);
    EXPECT_EQ(c.datum, "Pulkovo 1942 (2)");
    EXPECT_EQ(c.projection, "Transverse Mercator");
    ASSERT_EQ(c.points.size(), 2u);
    ASSERT_TRUE(c.points[0].degrees);
    EXPECT_DOUBLE_EQ(c.points[0].degrees->Lat, 56.5);
    EXPECT_DOUBLE_EQ(c.points[0].degrees->Lon, -36.25);
    EXPECT_TRUE(c.points[1].hasGrid && c.points[1].south);
    EXPECT_EQ(c.points[1].zone, 37);
    EXPECT_EQ(c.points[1].northing, 28000.0);
    QStringList huge = lines;
    huge[7].replace(QStringLiteral(" 37,"), QStringLiteral(" 1e20,"));
    EXPECT_EQ(ReadMapCalibration(huge).points.at(1).zone, 0) << "a zone is 1 to 60, else none";
    EXPECT_EQ(c.setup[kLonOrigin], 39.0);
    EXPECT_EQ(c.setup[kFalseNorthing], std::nullopt);
    EXPECT_EQ(c.border.size(), 3u);
    EXPECT_TRUE(c.borderLatLon.empty());  // the third MMPLL line does not read
    ASSERT_TRUE(c.imageSize);
    EXPECT_EQ(c.imageSize->X, 640);
}

// Every real file's verdict, read in place; the figures are in the README.
TEST(RealMaps, EachFileGetsItsVerdict)
{
    if (!QDir(TESSARINE_REAL_MAPS).exists())
        GTEST_SKIP() << "no real-maps folder";
    const std::vector<QStringList> expected = testfiles::Rows("calibration/real-verdicts.txt");
    struct Log final : ResultsLog {
        void append(const QString& line) override { lines << line; }
        QStringList lines;
    } log;
    Workspace ws(log, ".");
    const QDir root(TESSARINE_REAL_MAPS);
    for (const QStringList& row : expected) {
        ws.data.Maps.push_back({});
        ws.data.Maps.back().FileName = row[0];
        ws.sources.push_back({});
        ws.sources.back().calibration = ReadMapCalibration(ReadTextLines(root.filePath(row[0])));
    }
    CheckCalibrations(ws);
    ASSERT_TRUE(ws.checks);
    ASSERT_EQ(ws.checks->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(VerdictKeyword((*ws.checks)[i].verdict), expected[i][1]) << expected[i][0].toStdString();
    // Van der Grinten's square of points reaches beyond its circular world;
    // with no border either, one line says both, and no advice follows.
    const auto vandg = log.lines.indexOf("gt-ozi/vandg.map");
    EXPECT_EQ(log.lines.mid(vandg + 3, 2),
              QStringList({"...cannot be checked: no border, and no calibrated outline: its corners fall off the globe", ""}));
    // MMPLL in the map's datum: the next line says what to choose.
    const auto out1 = log.lines.indexOf(QRegularExpression(R"(\.\.\.MMPLL in the map's datum: .*)"),
                                        log.lines.indexOf("mapsoft2/out1.map"));
    EXPECT_EQ(log.lines.value(out1 + 1), "...to draw it where it lies, choose Sheet corners \"Calibration\"");
    // In ozi3.map the best affine fit leaves Point09 about 21.6 px off.
    const QStringList point09 = log.lines.filter(QRegularExpression(R"(^\.\.\.Point09 is [0-9.]+ px off the fit$)"));
    ASSERT_EQ(point09.size(), 2);  // ozi3.map and ozi5.map share their points
    EXPECT_NEAR(point09[0].split(' ')[2].toDouble(), 21.6, 0.15);
}

}  // namespace
