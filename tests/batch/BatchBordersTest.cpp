#include "QtPrint.h"
#include "MapFiles.h"
#include "BatchProcess.h"
#include "imaging/JpegCodec.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using testfiles::Write;

// Within JPEG's loss of each channel of `expected`.
bool Near(QRgb actual, QRgb expected)
{
    return std::abs(qRed(actual) - qRed(expected)) < 40 && std::abs(qGreen(actual) - qGreen(expected)) < 40 &&
           std::abs(qBlue(actual) - qBlue(expected)) < 40;
}

const QRgb kGrey = qRgb(128, 128, 128);

class BatchBordersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(root.path()).mkdir("maps");
        maps = root.filePath("maps");
        index = root.filePath("index.map");
        output = root.filePath("out.jpg");
        Write(maps + "/a.map", testfiles::Sheet("Alpha", "a.jpg", {{31, 59}, {35, 59}, {35, 53}, {31, 53}}));
        Write(index, testfiles::IndexMap("index.jpg", 400, 300, 60, 50, 30, 40));
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(kGrey);
        Write(root.filePath("index.jpg"), EncodeJpeg(image));
    }
    QStringList args(const QStringList& extra) const { return QStringList{"--maps", maps, "--index", index} + extra; }

    QImage saved() const
    {
        QFile file(output);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return DecodeJpeg(file.readAll(), qint64{1} << 30);
    }

    QTemporaryDir root;
    QString maps;
    QString index;
    QString output;
};

TEST_F(BatchBordersTest, CalcLogsThePixelPositions)
{
    const BatchOutput r = RunBatchProcess(args({"--stop-after", "calc"}));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString tail = r.out.mid(r.out.indexOf("\nCalculating Mercator..."));
    const QRegularExpression expected(
        "^\nCalculating Mercator...\n\na.map\n\\.\\.\\.p0 x = 40, y = \\d+\n\\.\\.\\.p1 x = 200, y = \\d+\n"
        "\\.\\.\\.p2 x = 200, y = \\d+\n\\.\\.\\.p3 x = 40, y = \\d+\n\nCalculated\n$");
    EXPECT_TRUE(expected.match(tail).hasMatch()) << tail.toStdString();
}

TEST_F(BatchBordersTest, BordersAreDrawnInTheChosenColourAndSaved)
{
    const BatchOutput r = RunBatchProcess(args({"--line-color", "red", "--line-width", "5", "--output", output}));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage image = saved();
    EXPECT_TRUE(Near(image.pixel(120, 150), kGrey)) << "the inside stays";
    EXPECT_TRUE(Near(image.pixel(40, 150), qRgb(255, 0, 0))) << std::hex << image.pixel(40, 150);
    EXPECT_TRUE(Near(image.pixel(200, 150), qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(image.pixel(300, 150), kGrey));
}

TEST_F(BatchBordersTest, ColoursByNameOrNumber)
{
    for (const auto& [name, rgb] : {std::pair{"Money Green", qRgb(0xC0, 0xDC, 0xC0)}, {"NAVY", qRgb(0, 0, 0x80)},
                                    {"#00ff00", qRgb(0, 255, 0)}}) {
        const BatchOutput r = RunBatchProcess(args({"--line-color", name, "--line-width", "7", "--output", output}));
        EXPECT_EQ(r.exitCode, 0) << name << r.err.toStdString();
        EXPECT_TRUE(Near(saved().pixel(200, 150), rgb)) << name;
    }
    const BatchOutput silver = RunBatchProcess(args({"--output", output}));
    EXPECT_EQ(silver.exitCode, 0);
    EXPECT_TRUE(Near(saved().pixel(200, 150), qRgb(0xC0, 0xC0, 0xC0))) << "Silver, 5 wide by default";
    EXPECT_TRUE(Near(saved().pixel(202, 150), qRgb(0xC0, 0xC0, 0xC0)));
}

TEST_F(BatchBordersTest, FillHatchesTheInside)
{
    const BatchOutput r = RunBatchProcess(args({"--line-color", "#FFFF00", "--line-width", "1", "--fill", "--output", output}));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage image = saved();
    // Brightness survives JPEG's colour subsampling.
    for (int y : {100, 150, 200}) {
        int bright = 0;
        for (int x = 100; x < 108; ++x)
            bright += qGray(image.pixel(x, y)) > 165 ? 1 : 0;
        EXPECT_EQ(bright, 1) << "one hatch line in eight columns, row " << y;
    }
}

TEST_F(BatchBordersTest, BadBorderOptions)
{
    const BatchOutput width = RunBatchProcess(args({"--line-width", "abc", "--output", output}));
    EXPECT_EQ(width.exitCode, 3);
    EXPECT_EQ(width.err, "'abc' is not a valid integer value\n");
    EXPECT_TRUE(width.out.endsWith("\nCalculated\n"));
    EXPECT_FALSE(QFile::exists(output));

    for (const char* colour : {"Custom...", "grey", "#12345", "#GG0000"}) {
        const BatchOutput r = RunBatchProcess(args({"--line-color", colour}));
        EXPECT_EQ(r.exitCode, 2) << colour;
        EXPECT_TRUE(r.err.contains("Unknown line colour")) << colour;
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(BatchBordersTest, NoBordersLeavesSaveDisabled)
{
    const BatchOutput r = RunBatchProcess(args({"--no-borders", "--no-names", "--output", output}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.endsWith("\nCalculated\n"));
    EXPECT_FALSE(QFile::exists(output));

    EXPECT_EQ(RunBatchProcess(args({"--no-borders", "--stop-after", "borders"})).exitCode, 0);
}

}  // namespace
