#include "QtPrint.h"
#include "MapFiles.h"
#include "BatchProcess.h"
#include "imaging/JpegCodec.h"

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

class BatchBordersTest : public BatchFolder {
protected:
    void SetUp() override
    {
        Write(maps + "/a.map", testfiles::Sheet("Alpha", "a.jpg", {{31, 59}, {35, 59}, {35, 53}, {31, 53}}));
        writeIndex(400, 300, kGrey);
    }

    QImage saved() const
    {
        QFile file(output);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return DecodeJpeg(file.readAll(), qint64{1} << 30);
    }

    QString output = root.filePath("out.jpg");
};

TEST_F(BatchBordersTest, BordersAreDrawnInTheChosenColourAndSaved)
{
    const struct {
        QStringList options;
        QRgb colour;
    } cases[] = {
        {{"--line-color", "red", "--line-width", "5"}, qRgb(255, 0, 0)},
        {{"--line-color", "Money Green", "--line-width", "7"}, qRgb(0xC0, 0xDC, 0xC0)},
        {{"--line-color", "NAVY", "--line-width", "7"}, qRgb(0, 0, 0x80)},
        {{"--line-color", "#00ff00", "--line-width", "7"}, qRgb(0, 255, 0)},
        {{}, qRgb(0xC0, 0xC0, 0xC0)},  // Silver by default, last
    };
    for (const auto& c : cases) {
        const QString what = c.options.join(' ');
        const BatchOutput r = RunBatchProcess(args(c.options + QStringList{"--output", output}));
        EXPECT_EQ(r.exitCode, 0) << what.toStdString() << r.err.toStdString();
        const QImage image = saved();
        for (const QPoint p : {QPoint(40, 150), QPoint(200, 150)})
            EXPECT_TRUE(Near(image.pixel(p), c.colour)) << what.toStdString() << " at " << p.x();
        for (const QPoint p : {QPoint(120, 150), QPoint(300, 150)})
            EXPECT_TRUE(Near(image.pixel(p), kGrey)) << what.toStdString() << " at " << p.x();
    }
    EXPECT_TRUE(Near(saved().pixel(202, 150), qRgb(0xC0, 0xC0, 0xC0))) << "5 wide by default";
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
