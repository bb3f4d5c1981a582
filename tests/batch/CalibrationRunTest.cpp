// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "Process.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

// Where sheet corners come from and Check calibrations, one batch run each.

namespace {

using testfiles::Write;

// A plate carrée sheet of 100 x 100 px, WGS 84, calibrated by two points:
// (0, 0) at north/west and (100, 100) at south/east; `border` adds MMPLL
// corners displaced `shift` degrees east.
QByteArray PointSheet(const QString& name, double north, double west, double south, double east, bool border,
                      double shift = 0.0)
{
    QStringList l{"OziExplorer Map Data File Version 2.2", name, name + ".jpg", "1 ,Map Code,",
                  "WGS 84,WGS 84,   0.0000,   0.0000,WGS 84", "Reserved 1", "Reserved 2", "Magnetic Variation,,,E",
                  "Map Projection,Latitude/Longitude,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No"};
    l << QStringLiteral("Point01,xy,    0,    0,in, deg, %1, 0.0,N, %2, 0.0,E, grid,   ,  ,  ,N").arg(north).arg(west)
      << QStringLiteral("Point02,xy,  100,  100,in, deg, %1, 0.0,N, %2, 0.0,E, grid,   ,  ,  ,N").arg(south).arg(east)
      << "Projection Setup,,,,,,,,,,";
    if (border) {
        l << "MMPNUM,4" << "MMPXY,1,0,0" << "MMPXY,2,100,0" << "MMPXY,3,100,100" << "MMPXY,4,0,100";
        const double lons[] = {west, east, east, west}, lats[] = {north, north, south, south};
        for (int k = 0; k < 4; ++k)
            l << QStringLiteral("MMPLL,%1,%2,%3").arg(k + 1).arg(lons[k] + shift).arg(lats[k]);
    }
    l << "IWH,Map Image Width/Height,100,100";
    return l.join("\r\n").toUtf8() + "\r\n";
}

class CalibrationRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(root.path()).mkdir("maps");
        Write(maps + "/b.map", PointSheet("Borderless", 56, 33, 55, 34, false));
        Write(maps + "/m.map", PointSheet("Moved", 55, 35, 54, 36, true, 0.5));
        Write(index, testfiles::IndexMap("index.jpg", 400, 300, 60, 50, 30, 40));
    }

    ProcessRun run(const QStringList& extra) const
    {
        return RunProgram(TESSARINE_BATCH, QStringList{"--maps", maps, "--index", index, "--stop-after", "analyze"} + extra);
    }

    QTemporaryDir root;
    QString maps = root.filePath("maps");
    QString index = root.filePath("index.map");
};

TEST_F(CalibrationRun, EachChoiceTakesItsCorners)
{
    for (const QStringList& row : testfiles::Rows("batch/corners.txt")) {
        const ProcessRun r = run(row[0] == "(none)" ? QStringList() : row[0].split(' '));
        EXPECT_EQ(r.exitCode, row[1].toInt()) << row[0].toStdString();
        EXPECT_TRUE(row[3] == "-" || r.out.contains(QString(row[3]).replace("\\n", "\n"))) << r.out.toStdString();
        EXPECT_TRUE(row[2] == "-" || r.out.endsWith(QStringLiteral("%1 map files is ok\n").arg(row[2]))) << r.out.toStdString();
    }
}

TEST_F(CalibrationRun, SettingsGiveTheChoiceAndTheCommandLineWins)
{
    Write(root.filePath("t.ini"), "[calibration]\nCorners=1\n");
    const QStringList settings{"--settings", root.filePath("t.ini")};
    EXPECT_TRUE(run(settings).out.contains("Borderless\n...outline from 2 calibration points\n"));
    EXPECT_TRUE(run(settings + QStringList{"--corners", "mmpll"}).out.contains("Borderless\n...MMPNUM not found\n"));
}

// The check reports and never changes the exit status, also when the
// index map makes every sheet unusable.
TEST_F(CalibrationRun, CheckReportsWithoutChangingTheExitStatus)
{
    const ProcessRun r = run({"--check-calibrations"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains("m.map\n...datum WGS 84, projection Latitude/Longitude\n...2 points, RMS 0.0 px\n"
                               "...disagrees by ")) << r.out.toStdString();
    EXPECT_TRUE(r.out.endsWith("2 calibrations checked\n0 agree\n0 have MMPLL in the map's datum\n1 disagree\n"
                               "1 cannot be checked\n")) << r.out.toStdString();
    Write(index, testfiles::IndexMap("index.jpg", 400, 300, 10, 0, 0, 10));
    const ProcessRun outside = run({"--check-calibrations"});
    EXPECT_EQ(outside.exitCode, 1);  // Load image stays disabled, as without the check
    EXPECT_EQ(run({}).exitCode, 1);
    EXPECT_TRUE(outside.out.endsWith("1 disagree\n1 cannot be checked\n"));
}

// The export carries where each outline came from and the check's verdict.
TEST_F(CalibrationRun, ExportCarriesOutlineAndVerdict)
{
    const QString file = root.filePath("sheets.geojson");
    ASSERT_EQ(run({"--corners", "fallback", "--check-calibrations", "--export", file}).exitCode, 0);
    const QJsonArray features = QJsonDocument::fromJson(testfiles::Read(file)).object()["features"].toArray();
    ASSERT_EQ(features.size(), 3);
    const QJsonObject b = features[1].toObject()["properties"].toObject();
    const QJsonObject m = features[2].toObject()["properties"].toObject();
    EXPECT_EQ(b["outline"].toString(), "calibration");
    EXPECT_EQ(b["calibration"].toString(), "unchecked");
    EXPECT_FALSE(b.contains("calibration_m"));
    EXPECT_EQ(m["outline"].toString(), "mmpll");
    EXPECT_EQ(m["calibration"].toString(), "disagrees");
    // Half a degree of longitude at 54 N: 32,787.9 m along the parallel, the
    // geodesic a little shorter; one decimal.
    const double metres = m["calibration_m"].toDouble();
    EXPECT_NEAR(metres, 32787.9, 5.0);
    EXPECT_EQ(std::round(metres * 10.0) / 10.0, metres);
    ASSERT_EQ(run({"--export", file}).exitCode, 0);
    EXPECT_FALSE(testfiles::Read(file).contains("calibration"));
}

// A real sheet without a border is usable with its calibration on an index
// map made for the sheets of its folder.
TEST_F(CalibrationRun, RealBorderlessSheetIsUsableWithFallback)
{
    const QString folder = QStringLiteral(TESSARINE_REAL_MAPS) + "/mapsoft2";
    if (!QFileInfo::exists(folder + "/ozi5.map"))
        GTEST_SKIP() << "no real-maps folder";
    const QString made = root.filePath("made.map");
    const ProcessRun make =
        RunProgram(TESSARINE_BATCH, {"--maps", folder, "--make-index", made, "--width", "400", "--corners", "fallback"});
    ASSERT_EQ(make.exitCode, 0) << make.out.toStdString();
    const ProcessRun r = RunProgram(TESSARINE_BATCH, {"--maps", folder, "--index", made, "--stop-after", "analyze",
                                                      "--corners", "fallback"});
    EXPECT_TRUE(r.out.contains(QRegularExpression("\nozi5.map\n[^\n]*\n...outline from 9 calibration points\n(...p[1-4] [^\n]*\n){4}...is ok\n")))
        << r.out.toStdString();
}

}  // namespace
