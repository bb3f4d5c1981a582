#include "QtPrint.h"
#include "MapFiles.h"
#include "BatchProcess.h"
#include "batch/BatchOptions.h"
#include "imaging/JpegCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testfiles::Write;

class BatchImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(root.path()).mkdir("maps");
        maps = root.filePath("maps");
        index = root.filePath("index.map");
        Write(maps + "/a.map", testfiles::Sheet("Alpha", "a.jpg", {{31, 59}, {32, 59}, {32, 58}, {31, 58}}));
        Write(index, testfiles::IndexMap("index.jpg", 40, 30, 60, 50, 30, 40));
        QImage image(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x)
                image.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) % 256));
        }
        jpeg = EncodeJpeg(image);
    }
    QStringList args(const QStringList& extra) const { return QStringList{"--maps", maps, "--index", index} + extra; }

    QTemporaryDir root;
    QString maps;
    QString index;
    QByteArray jpeg;
};

TEST_F(BatchImageTest, LoadRunsAfterAnalyze)
{
    Write(root.filePath("index.jpg"), jpeg);
    const BatchOutput r = RunBatchProcess(args({"--stop-after", "load"}));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.endsWith("1 map files is ok\n\nLoading map image...\nMap image loaded\n")) << r.out.toStdString();
}

TEST_F(BatchImageTest, LoadProblemsEndTheRunAsTheirKindSays)
{
    const BatchOutput missing = RunBatchProcess(args({"--stop-after", "load"}));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.endsWith("\nImage file not found\n"));

    Write(root.filePath("index.jpg"), "GIF89a");
    const BatchOutput header = RunBatchProcess(args({"--stop-after", "load"}));
    EXPECT_EQ(header.exitCode, 1);
    EXPECT_TRUE(header.out.contains("\nFailed to load image. Error message:\nJPEG error #")) << header.out.toStdString();

    Write(root.filePath("index.jpg"), jpeg.left(jpeg.size() - 100));
    const BatchOutput pixels = RunBatchProcess(args({"--stop-after", "load"}));
    EXPECT_EQ(pixels.exitCode, 3);
    EXPECT_TRUE(pixels.err.startsWith("JPEG error #")) << pixels.err.toStdString();
    EXPECT_TRUE(pixels.out.endsWith("\nLoading map image...\n"));
}

TEST(BatchOptionsTest, OutputNamesTheSavedFile)
{
    const QStringList base{"tessarine-batch", "--maps", "m", "--index", "i.map"};
    const ParsedCommandLine withOutput = ParseBatchCommandLine(base + QStringList{"--output", "out.jpg"});
    ASSERT_TRUE(withOutput.options);
    EXPECT_EQ(withOutput.options->outputFile, "out.jpg");
    EXPECT_EQ(withOutput.options->stopAfter, BatchStep::Save);
    const ParsedCommandLine without = ParseBatchCommandLine(base);
    ASSERT_TRUE(without.options);
    EXPECT_TRUE(without.options->outputFile.isEmpty());
    EXPECT_TRUE(BatchUsage().contains("--output FILE"));
}

}  // namespace
