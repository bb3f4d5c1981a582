// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "MapFiles.h"
#include "Process.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

// The batch tool run as a user runs it, where a case (tests/cases/batch-*.txt)
// cannot say it; what the steps themselves do is the workflow's tests' business.

namespace {

ProcessRun RunBatchProcess(const QStringList& arguments) { return RunProgram(TESSARINE_BATCH, arguments); }

// What the dynamic loader says it loaded for a run of the batch tool.
QString LoadedFiles(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_DEBUG", "files");
    process.setProcessEnvironment(env);
    process.start(TESSARINE_BATCH, arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return QString::fromLocal8Bit(process.readAllStandardError());
}

// A run pays only for what its steps use: PROJ is loaded by a run that
// transforms between datums, the GUI's platform by one that draws.
TEST(BatchStartUp, LoadsProjAndTheGuiOnlyWhereARunUsesThem)
{
    const QStringList analyze{"--maps", TESSARINE_DEMO "/maps", "--index", TESSARINE_DEMO "/index.map", "--stop-after",
                              "analyze"};
    const struct {
        QStringList arguments;
        bool proj;
        bool gui;
    } runs[] = {
        {{"--version"}, false, false},
        {analyze, false, false},
        {analyze + QStringList{"--corners", "calibration"}, true, false},
        {QStringList{analyze.mid(0, 5)} + QStringList{"calc"}, false, true},
    };
    for (const auto& run : runs) {
        const QString loaded = LoadedFiles(run.arguments);
        ASSERT_TRUE(loaded.contains("file=libQt6Core")) << "the loader reports nothing here";
        EXPECT_EQ(loaded.contains("file=libproj"), run.proj) << run.arguments.join(' ').toStdString();
        EXPECT_EQ(loaded.contains("libqoffscreen"), run.gui) << run.arguments.join(' ').toStdString();
    }
}

// The log names at most 500 missing cells and counts the rest; the list
// holds every one.
TEST(BatchCoverage, ReportsTheMissingSheetsAndWritesTheirList)
{
    const struct {
        const char* scale;
        qsizetype missing;
    } rows[] = {{"auto", 47}, {"25000", 1178}};
    for (const auto& row : rows) {
        QTemporaryDir root;
        const QString list = root.filePath("missing.txt");
        const ProcessRun run = RunBatchProcess({"--maps", TESSARINE_DEMO "/maps", "--index", TESSARINE_DEMO "/index.map",
                                                 "--stop-after", "analyze", "--coverage", row.scale, "--missing-list", list});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList lines = run.out.split('\n');
        const qsizetype first = lines.indexOf(QStringLiteral("%1 sheets missing").arg(row.missing)) + 1;
        ASSERT_GT(first, 0) << row.scale;
        const qsizetype named = std::min<qsizetype>(row.missing, 500);
        const QStringList shown = lines.mid(first, named);
        const QStringList all = QString::fromUtf8(testfiles::Read(list)).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(all.size(), row.missing) << row.scale;
        for (qsizetype k = 0; k < named; ++k)
            EXPECT_EQ(shown.value(k), "..." + all.value(k)) << row.scale;
        EXPECT_EQ(lines.value(first + named),
                  row.missing > 500 ? QStringLiteral("...and %1 more").arg(row.missing - 500) : QString())
            << row.scale;
    }
}

// A real sheet without a border is usable with its calibration on an index
// map made for the sheets of its folder.
TEST(CalibrationRun, RealBorderlessSheetIsUsableWithFallback)
{
    const QString folder = QStringLiteral(TESSARINE_REAL_MAPS) + "/mapsoft2";
    if (!QFileInfo::exists(folder + "/ozi5.map"))
        GTEST_SKIP() << "no real-maps folder";
    QTemporaryDir root;
    const QString made = root.filePath("made.map");
    const ProcessRun make =
        RunProgram(TESSARINE_BATCH, {"--maps", folder, "--make-index", made, "--width", "400", "--corners", "fallback"});
    ASSERT_EQ(make.exitCode, 0) << make.out.toStdString();
    const ProcessRun r = RunProgram(TESSARINE_BATCH, {"--maps", folder, "--index", made, "--stop-after", "analyze",
                                                      "--corners", "fallback"});
    EXPECT_TRUE(r.out.contains(QRegularExpression("\nozi5.map\n[^\n]*\n...outline from 9 calibration points\n(...p[1-4] [^\n]*\n){4}...is ok\n")))
        << r.out.toStdString();
}

// Georeferenced images change nothing where there are none, and GDAL is
// loaded only by a run that reads them: the dynamic loader says which
// libraries it loads.
TEST(BatchRasters, LoadGdalOnlyWhereImagesAreRead)
{
    const QStringList demo{"--index", TESSARINE_DEMO "/index.map", "--stop-after", "analyze"};
    const ProcessRun plain = RunBatchProcess(QStringList{"--maps", TESSARINE_DEMO "/maps"} + demo);
    const ProcessRun rasters = RunBatchProcess(QStringList{"--maps", TESSARINE_DEMO "/maps", "--rasters"} + demo);
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(rasters.out, plain.out);
    if (!HasProgram("gdal_create"))
        GTEST_SKIP() << "gdal_create is not installed";
    QTemporaryDir root;
    ASSERT_EQ(RunProgram("gdal_create", {"-q", "-of", "GTiff", "-outsize", "10", "10", "-a_srs", "EPSG:4326", "-a_ullr",
                                         "30", "60", "30.5", "59.6", root.filePath("a.tif")})
                  .exitCode,
              0);
    const QStringList folder = QStringList{"--maps", root.path()} + demo;
    const QStringList loads{"LD_DEBUG=libs"};
    EXPECT_FALSE(RunProgram(TESSARINE_BATCH, folder, {}, loads).err.contains("libgdal"));
    const ProcessRun read = RunProgram(TESSARINE_BATCH, folder + QStringList{"--rasters"}, {}, loads);
    EXPECT_TRUE(read.err.contains("libgdal"));
    EXPECT_TRUE(read.out.contains("\na.tif\n...original map name is a\n...format GTiff, WGS 84\n")) << read.out.toStdString();
}

}  // namespace
