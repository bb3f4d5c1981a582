#include "QtPrint.h"
#include "MapFiles.h"
#include "BatchProcess.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testfiles::Write;

class BatchTest : public BatchFolder {
protected:
    void SetUp() override { Write(index, testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40)); }
};

TEST_F(BatchTest, PrintsTheResultsLogLineForLine)
{
    Write(maps + "/n-37-001.map", testfiles::Sheet(QString::fromUtf8("Сычево"), "n.jpg", {{31, 59}, {32, 58}, {31, 58}}));
    const BatchOutput r = RunBatchProcess(args({"--stop-after", "analyze"}));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, QString::fromUtf8("Index map is ok\n\nn-37-001.map\n...original map name is Сычево\n"
                                       "...MMPNUM = 3\n...p1 Lat=59, Lon=31\n...p2 Lat=58, Lon=32\n"
                                       "...p3 Lat=58, Lon=31\n...is ok\n\n\n1 map files analysed\n"
                                       "1 map files is ok\n"));
}

TEST_F(BatchTest, ExitStatusTellsHowTheRunEnded)
{
    EXPECT_EQ(RunBatchProcess(args()).exitCode, 1) << "no usable sheet: Load image stays disabled";

    const BatchOutput missing = RunBatchProcess({"--maps", maps, "--index", root.filePath("none.map")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "Index map file does not exist\n");

    Write(maps + "/short.map", "only\r\ntwo lines\r\n");
    const BatchOutput error = RunBatchProcess(args());
    EXPECT_EQ(error.exitCode, 3);
    EXPECT_EQ(error.err, "List index out of bounds (2)\n");
    EXPECT_TRUE(error.out.endsWith("short.map\n"));
}

TEST_F(BatchTest, AWrongCommandLineGetsTheUsage)
{
    for (const QStringList& bad : {QStringList{}, QStringList{"--maps", "x"}, args({"--stop-after", "paint"}),
                                   args({"--bogus"}), args({"extra"})}) {
        const BatchOutput r = RunBatchProcess(bad);
        EXPECT_EQ(r.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("Usage: tessarine-batch"));
        EXPECT_EQ(r.out, "");
    }
    const BatchOutput help = RunBatchProcess({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: tessarine-batch"));
}

// Each real calibration file, as the only sheet: read, or refused with a
// runtime error, never a crash.
TEST_F(BatchTest, EveryRealMapIsReadOrRefusedCleanly)
{
    const QDir real(QStringLiteral(TESSARINE_REAL_MAPS));
    if (!real.exists())
        GTEST_SKIP() << "no real-maps folder";
    QDirIterator it(real.path(), {"*.map"}, QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        QTemporaryDir dir;
        QFile::copy(path, dir.filePath("sheet.map"));
        const BatchOutput r = RunBatchProcess({"--maps", dir.path(), "--index", index, "--stop-after", "analyze"});
        EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1 || r.exitCode == 3) << path.toStdString();
        if (r.exitCode == 3) {
            EXPECT_TRUE(r.err.contains("is not a valid") || r.err.startsWith("List index out of bounds"))
                << path.toStdString() << ": " << r.err.toStdString();
        } else {
            EXPECT_TRUE(r.out.contains("1 map files analysed")) << path.toStdString();
        }
    }
    EXPECT_GT(files, 10);
}

}  // namespace
