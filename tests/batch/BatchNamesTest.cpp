#include "QtPrint.h"
#include "MapFiles.h"
#include "BatchProcess.h"
#include "batch/BatchOptions.h"
#include "imaging/JpegCodec.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testfiles::Write;

class BatchNamesTest : public BatchFolder {
protected:
    void SetUp() override
    {
        // Three sheets: the middle one lies partly outside the index map.
        Write(maps + "/a.map", testfiles::Sheet("Alpha", "a.jpg", {{31, 59}, {34, 59}, {34, 56}, {31, 56}}));
        Write(maps + "/b.map", testfiles::Sheet("Beyond", "b.jpg", {{38, 59}, {45, 59}, {45, 56}, {38, 56}}));
        Write(maps + "/c.map", testfiles::Sheet("Gamma", "c.jpg", {{35, 55}, {39, 55}, {39, 51}, {35, 51}}));
        writeIndex(400, 300, qRgb(240, 230, 200));
    }
};

TEST_F(BatchNamesTest, CentresAndNamesRunAfterBorders)
{
    const BatchOutput r = RunBatchProcess(args({"--stop-after", "names", "--centers", "barycenter", "--bold", "--opacity", "32"}));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    static const QRegularExpression tail(
        "\n\nCalculating names places...\nCalculated\nDrawing...\n(-?\\d+, -?\\d+)\n(-?\\d+, -?\\d+)\nDone\n$");
    EXPECT_TRUE(tail.match(r.out).hasMatch()) << r.out.toStdString();
}

TEST_F(BatchNamesTest, OpacityZeroSavesWhatNoNamesSaves)
{
    const QString withNames = root.filePath("names.jpg");
    const QString without = root.filePath("plain.jpg");
    EXPECT_EQ(RunBatchProcess(args({"--opacity", "0", "--output", withNames})).exitCode, 0);
    const BatchOutput plain = RunBatchProcess(args({"--no-names", "--output", without}));
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_FALSE(plain.out.contains("Calculating names places...")) << plain.out.toStdString();
    EXPECT_FALSE(testfiles::Read(without).isEmpty());
    EXPECT_EQ(testfiles::Read(withNames), testfiles::Read(without));

    const QString drawn = root.filePath("drawn.jpg");
    EXPECT_EQ(RunBatchProcess(args({"--output", drawn})).exitCode, 0);
    EXPECT_NE(testfiles::Read(drawn), testfiles::Read(without));
}

TEST_F(BatchNamesTest, CustomListProblemsStopTheRun)
{
    const BatchOutput none = RunBatchProcess(args({"--names", "custom"}));
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.endsWith("Calculated\nCustom list was not generated\n")) << none.out.toStdString();

    const QString list = root.filePath("list.txt");
    Write(list, "one\ntwo\n");
    const BatchOutput shortList = RunBatchProcess(args({"--names", "custom", "--custom-list", list}));
    EXPECT_EQ(shortList.exitCode, 1);
    EXPECT_TRUE(shortList.out.endsWith("Calculated\nSize of custom list does not match maps count\n"))
        << shortList.out.toStdString();

    Write(list, "Первый\n\nтретий\n");  // the unusable sheet's line may be empty
    const BatchOutput good = RunBatchProcess(args({"--names", "custom", "--custom-list", list, "--stop-after", "names"}));
    EXPECT_EQ(good.exitCode, 0) << good.out.toStdString();

    const BatchOutput missing = RunBatchProcess(args({"--custom-list", root.filePath("absent.txt")}));
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_TRUE(missing.err.startsWith("Cannot open file")) << missing.err.toStdString();
    EXPECT_TRUE(missing.out.isEmpty()) << "read before anything runs";
}

TEST(BatchNamesOptions, WrongValuesAreRefused)
{
    const QStringList base{"tessarine-batch", "--maps", "m", "--index", "i.map"};
    const QStringList wrong[] = {{"--centers", "median"}, {"--names", "title"},      {"--opacity", "33"},
                                 {"--opacity", "-1"},     {"--opacity", "x"},        {"--font-size", "0"},
                                 {"--font-color", "red"}, {"--font-color", "#12345"}};
    for (const QStringList& extra : wrong) {
        const ParsedCommandLine parsed = ParseBatchCommandLine(base + extra);
        EXPECT_FALSE(parsed.options) << extra.join(' ').toStdString();
        EXPECT_FALSE(parsed.error.isEmpty());
    }
}

}  // namespace
