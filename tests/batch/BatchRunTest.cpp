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

}  // namespace
