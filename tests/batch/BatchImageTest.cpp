#include "QtPrint.h"
#include "MapFiles.h"
#include "BatchProcess.h"
#include "imaging/JpegCodec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testfiles::Write;

class BatchImageTest : public BatchFolder {
protected:
    void SetUp() override
    {
        Write(maps + "/a.map", testfiles::Sheet("Alpha", "a.jpg", {{31, 59}, {32, 59}, {32, 58}, {31, 58}}));
        Write(index, testfiles::IndexMap("index.jpg", 40, 30, 60, 50, 30, 40));
        QImage image(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x)
                image.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) % 256));
        }
        jpeg = EncodeJpeg(image);
    }

    QByteArray jpeg;
};

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

    Write(root.filePath("index.jpg"), jpeg);
    const BatchOutput loaded = RunBatchProcess(args({"--stop-after", "load"}));
    EXPECT_EQ(loaded.exitCode, 0) << loaded.err.toStdString();
    EXPECT_TRUE(loaded.out.endsWith("1 map files is ok\n\nLoading map image...\nMap image loaded\n"));
}

}  // namespace
