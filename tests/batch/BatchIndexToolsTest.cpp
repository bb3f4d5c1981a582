// --make-index and --export reach their operations, with the exit statuses
// a script can tell apart.

#include "MapFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int RunBatch(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(TESSARINE_BATCH), arguments);
    process.waitForFinished(120000);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TEST(BatchIndexTools, MakesAnIndexMapAndExportsTheSheetsOnIt)
{
    QTemporaryDir dir;
    const QString maps = TESSARINE_DEMO "/maps";
    const QString made = dir.filePath("made.map");
    EXPECT_EQ(RunBatch({"--maps", maps, "--make-index", made, "--width", "800"}), 0);
    EXPECT_EQ(RunBatch({"--maps", maps, "--make-index", made}), 1) << "not without --force";
    EXPECT_EQ(RunBatch({"--maps", maps, "--make-index", made, "--force"}), 0);
    EXPECT_EQ(RunBatch({"--maps", maps, "--make-index", dir.filePath("made.jpg")}), 2);
    EXPECT_EQ(RunBatch({"--maps", maps, "--make-index", made, "--width", "70000"}), 2);

    const QString kml = dir.filePath("sheets.kml");
    EXPECT_EQ(RunBatch({"--maps", maps, "--index", made, "--stop-after", "analyze", "--export", kml}), 0);
    EXPECT_EQ(testfiles::Read(kml).count("<Placemark>"), 18);
    EXPECT_EQ(RunBatch({"--maps", maps, "--index", made, "--export", dir.filePath("sheets.shp")}), 2);
}

}  // namespace
