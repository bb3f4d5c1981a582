#include "QtPrint.h"
#include "ErrorText.h"
#include "JpegTestImages.h"
#include "imaging/JpegCodec.h"
#include "imaging/MemoryBudget.h"

#include <gtest/gtest.h>

#include <jerror.h>

namespace {

using testjpeg::Compare;
using testjpeg::Encode;
using testjpeg::Kind;
using testjpeg::Picture;

constexpr qint64 kGiB = qint64{1} << 30;

QString DecodeError(const QByteArray& bytes) { return ErrorText([&] { DecodeJpeg(bytes, 4 * kGiB); }); }

// The library's own text for a message without parameters.
QString Expected(int code)
{
    jpeg_error_mgr err;
    jpeg_std_error(&err);
    return QStringLiteral("JPEG error #%1: %2").arg(code).arg(QString::fromLatin1(err.jpeg_message_table[code]));
}

// Offset of the first marker `code` (0xFF code) in a stream, or -1.
qsizetype MarkerAt(const QByteArray& bytes, unsigned char code)
{
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && static_cast<unsigned char>(bytes[i + 1]) == code)
            return i;
    }
    return -1;
}

TEST(JpegCodec, RoundTripAtQuality90StaysWithinJpegError)
{
    // Not a multiple of the 16-pixel MCU; wider than 32767 pixels.
    for (const QSize size : {QSize(203, 157), QSize(40000, 16)}) {
        SCOPED_TRACE(size.width());
        const QImage original = Picture(size.width(), size.height());
        const QByteArray jpeg = EncodeJpeg(original);
        EXPECT_EQ(ReadJpegSize(jpeg), size);
        const QImage decoded = DecodeJpeg(jpeg, 4 * kGiB);
        ASSERT_EQ(decoded.format(), QImage::Format_RGB32);
        ASSERT_EQ(decoded.size(), size);
        const auto d = Compare(original, decoded);
        EXPECT_LT(d.mean, 3.0);
        EXPECT_LT(d.largest, 100);  // chroma subsampling blurs the sharp checker edges
        // Encoding at a lower quality gives a smaller file: the quality is passed on.
        EXPECT_LT(EncodeJpeg(original, 50).size(), jpeg.size());
    }
}

TEST(JpegCodec, WritesWhatPlainLibjpegWritesFromRgbRowsAtQuality90)
{
    // The settings are libjpeg's standard ones: the stream equals one made
    // from 24-bit RGB rows with jpeg_set_defaults and jpeg_set_quality(90).
    const QImage original = Picture(120, 90);
    EXPECT_EQ(EncodeJpeg(original), Encode(original, Kind::Rgb, 90));
}

TEST(JpegCodec, DecodesEveryColourSpaceToRgb32)
{
    const QImage original = Picture(96, 64);
    QImage grey(original.size(), QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) {
            const int v = qGray(original.pixel(x, y));
            grey.setPixel(x, y, qRgb(v, v, v));
        }
    }
    struct Case {
        Kind kind;
        double meanLimit;
    };
    for (const Case& c : {Case{Kind::Rgb, 3.0}, Case{Kind::Progressive, 3.0}, Case{Kind::CmykAdobe, 4.0},
                          Case{Kind::CmykPlain, 4.0}, Case{Kind::Ycck, 4.0}, Case{Kind::Grey, 3.0}}) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        const QImage decoded = DecodeJpeg(Encode(original, c.kind), 4 * kGiB);
        ASSERT_EQ(decoded.format(), QImage::Format_RGB32);
        ASSERT_EQ(decoded.size(), original.size());
        EXPECT_LT(Compare(c.kind == Kind::Grey ? grey : original, decoded).mean, c.meanLimit);
    }
}

TEST(JpegCodec, DamagedStreamsGiveTheLibrarysMessageAndNeverExit)
{
    const QByteArray good = EncodeJpeg(Picture(256, 256));
    QByteArray corrupt = good;
    // An unexpected restart marker in the middle of the entropy-coded data.
    const qsizetype scan = MarkerAt(good, 0xDA);
    corrupt[scan + 200] = static_cast<char>(0xFF);
    corrupt[scan + 201] = static_cast<char>(0xD3);
    // Entropy data of all one bits: the one code no Huffman table may hold.
    QByteArray badHuffman = EncodeJpeg(Picture(64, 48));
    const qsizetype smallScan = MarkerAt(badHuffman, 0xDA);
    const qsizetype data = smallScan + 2 + ((static_cast<uchar>(badHuffman[smallScan + 2]) << 8) | static_cast<uchar>(badHuffman[smallScan + 3]));
    for (qsizetype i = data; i < data + 64; i += 2)
        badHuffman.replace(i, 2, QByteArray("\xFF\x00", 2));

    EXPECT_EQ(DecodeError(QByteArray()), Expected(JERR_INPUT_EMPTY));
    EXPECT_EQ(DecodeError("\x89PNG\r\n"),
              QStringLiteral("JPEG error #%1: Not a JPEG file: starts with 0x89 0x50").arg(JERR_NO_SOI));
    EXPECT_EQ(DecodeError(good.left(good.size() / 2)), Expected(JWRN_JPEG_EOF));
    EXPECT_EQ(DecodeError(good.left(good.size() - 2)), Expected(JWRN_JPEG_EOF));
    EXPECT_EQ(DecodeError(badHuffman), Expected(JWRN_HUFF_BAD_CODE));
    EXPECT_TRUE(DecodeError(corrupt).startsWith("JPEG error #")) << DecodeError(corrupt).toStdString();
    // The header of the truncated stream is whole; of this one it is not.
    EXPECT_EQ(ReadJpegSize(good.left(good.size() / 2)), QSize(256, 256));
    EXPECT_THROW(ReadJpegSize(good.left(scan)), TessError);
}

TEST(JpegCodec, AHugeHeaderIsRefusedBeforeAnythingIsAllocated)
{
    QByteArray jpeg = EncodeJpeg(Picture(16, 16));
    const qsizetype sof = MarkerAt(jpeg, 0xC0);
    for (int i : {5, 7})  // height, then width, big-endian
    {
        jpeg[sof + i] = static_cast<char>(65500 >> 8);
        jpeg[sof + i + 1] = static_cast<char>(65500 & 0xFF);
    }
    EXPECT_EQ(ReadJpegSize(jpeg), QSize(65500, 65500));
    const QString error = ErrorText([&] { DecodeJpeg(jpeg, AvailableMemoryBytes()); });
    EXPECT_TRUE(error.startsWith("An image of 65500 x 65500 pixels takes ")) << error.toStdString();
}

TEST(MemoryBudget, AnImageMustLeaveRoomForASecondOfItsSize)
{
    struct Case {
        qint64 width, height, available;
        bool fits;
    };
    const Case cases[] = {
        {1000, 1000, 8'000'000, true},    // 4 MB twice
        {1000, 1000, 7'999'999, false},
        {20000, 15000, 2'400'000'000, true},
        {65500, 65500, 24 * kGiB, false},
        {65500, 65500, -1, true},         // unknown: only QImage's own limit
        {70'000'000, 1, -1, false},       // too wide for a QImage row
        {0, 10, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 x %2 in %3").arg(c.width).arg(c.height).arg(c.available).toStdString());
        if (c.fits)
            EXPECT_NO_THROW(CheckImageFits(c.width, c.height, c.available));
        else
            EXPECT_THROW(CheckImageFits(c.width, c.height, c.available), TessError);
    }
    EXPECT_GT(AvailableMemoryBytes(), 0);
}

}  // namespace
