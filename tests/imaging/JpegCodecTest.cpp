// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "Gradient.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "imaging/JpegCodec.h"
#include "imaging/MemoryBudget.h"

#include <gtest/gtest.h>

namespace {

constexpr qint64 kGiB = qint64{1} << 30;

QByteArray Fixture(const char* name) { return testfiles::Read(QStringLiteral(TESSARINE_TEST_DATA "/jpeg/") + name); }

QString DecodeError(const QByteArray& bytes) { return ErrorText([&] { DecodeJpeg(bytes, 4 * kGiB); }); }

// Each fixture is 16 × 16: (200, 100, 50) on the left half, (40, 160, 220) on the right.
TEST(JpegCodec, EveryColourSpaceDecodesToRgb32)
{
    for (const char* name : {"rgb.jpg", "progressive.jpg", "grey.jpg", "cmyk-adobe.jpg", "cmyk-plain.jpg", "ycck.jpg"}) {
        const QImage image = DecodeJpeg(Fixture(name), 4 * kGiB);
        ASSERT_EQ(image.format(), QImage::Format_RGB32) << name;
        const bool grey = QByteArray(name) == "grey.jpg";
        for (auto [x, rgb] : {std::pair{3, qRgb(200, 100, 50)}, std::pair{12, qRgb(40, 160, 220)}}) {
            const QRgb want = grey ? qRgb(qGray(rgb), qGray(rgb), qGray(rgb)) : rgb;
            const QRgb got = image.pixel(x, 8);
            EXPECT_LE(std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) + std::abs(qBlue(got) - qBlue(want)), 12)
                << name << " at " << x << std::hex << ": " << got;
        }
    }
}

TEST(JpegCodec, SavesWhatCjpegWritesAtQuality90AndReadsItsOwnFilesBack)
{
    EXPECT_EQ(EncodeJpeg(QImage(TESSARINE_TEST_DATA "/jpeg/q90.ppm").convertToFormat(QImage::Format_RGB32)), Fixture("q90.jpg"));
    for (const QSize size : {QSize(203, 157), QSize(40000, 16)}) {  // past 32767 pixels wide
        const QImage original = Gradient(size.width(), size.height());
        const QImage decoded = DecodeJpeg(EncodeJpeg(original), 4 * kGiB);
        ASSERT_EQ(decoded.size(), size);
        EXPECT_LT(MeanGreenDifference(decoded, original, 7), 3.0) << size.width();
    }
}

TEST(JpegCodec, ADamagedFileGivesTheLibrarysMessage)
{
    const QByteArray good = EncodeJpeg(Gradient(256, 256));
    QByteArray corrupt = good;
    corrupt.replace(good.indexOf("\xFF\xDA") + 200, 2, "\xFF\xD3");  // a restart marker out of place
    EXPECT_EQ(DecodeError(QByteArray()), "JPEG error #42: Empty input file");
    EXPECT_EQ(DecodeError("\x89PNG\r\n"), "JPEG error #53: Not a JPEG file: starts with 0x89 0x50");
    EXPECT_EQ(DecodeError(good.left(good.size() / 2)), "JPEG error #120: Premature end of JPEG file");
    EXPECT_TRUE(DecodeError(corrupt).startsWith("JPEG error #")) << DecodeError(corrupt).toStdString();
}

TEST(JpegCodec, AnImageTooLargeForMemoryIsRefusedBeforeDecoding)
{
    QByteArray jpeg = EncodeJpeg(Gradient(16, 16));
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    jpeg.replace(sof + 5, 4, "\xFF\xDC\xFF\xDC");  // 65500 × 65500
    EXPECT_TRUE(DecodeError(jpeg).startsWith("An image of 65500 x 65500 pixels takes ")) << DecodeError(jpeg).toStdString();
    const auto fits = [](qint64 w, qint64 h, qint64 available) { return ErrorText([&] { CheckImageFits(w, h, available); }).isEmpty(); };
    EXPECT_TRUE(fits(1000, 1000, 8'000'000)) << "4 MB, twice";
    EXPECT_FALSE(fits(1000, 1000, 7'999'999));
    EXPECT_TRUE(fits(65500, 65500, -1)) << "memory unknown";
    EXPECT_FALSE(fits(70'000'000, 1, -1)) << "too wide for an image row";
}

}  // namespace
