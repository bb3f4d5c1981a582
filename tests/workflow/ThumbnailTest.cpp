// SPDX-License-Identifier: GPL-3.0-or-later
// Thumbnails of the sheets' images: JPEG at a reduced scale, PNG (colour
// and paletted) through the GDAL module, each at most 256 pixels on its
// longer side with the picture's colours; a file that is no image is a
// reason, not a crash. Publishing again takes the last publish's thumbnail
// of an image that has not changed, and makes a new one of one that has;
// no thumbnail's name makes it a hidden file.
#include "core/Errors.h"
#include "imaging/JpegCodec.h"
#include "workflow/web/Thumbnails.h"
#include "workflow/ResultsLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Four quarters of distinct colours, so that a thumbnail turned, mirrored
// or read with its channels swapped shows.
QImage Quarters(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, x < w / 2 ? (y < h / 2 ? qRgb(200, 30, 30) : qRgb(30, 200, 30))
                                           : (y < h / 2 ? qRgb(30, 30, 200) : qRgb(220, 220, 40)));
    return image;
}

void ExpectQuarters(const QImage& thumb)
{
    const int w = thumb.width(), h = thumb.height();
    const QRgb want[4] = {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200), qRgb(220, 220, 40)};
    const QPoint at[4] = {{w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int i = 0; i < 4; ++i) {
        const QRgb got = thumb.pixel(at[i]);
        EXPECT_LE(std::abs(qRed(got) - qRed(want[i])) + std::abs(qGreen(got) - qGreen(want[i])) +
                      std::abs(qBlue(got) - qBlue(want[i])), 24)
            << "quarter " << i;
    }
}

TEST(ThumbnailTest, EveryImageKindAtMost256PixelsWithItsColours)
{
    QTemporaryDir dir;
    const QImage picture = Quarters(700, 550);
    QFile jpeg(dir.filePath("a.jpg"));
    ASSERT_TRUE(jpeg.open(QIODevice::WriteOnly));
    jpeg.write(EncodeJpeg(picture, 90));
    jpeg.close();
    ASSERT_TRUE(Quarters(600, 300).save(dir.filePath("b.png")));
    ASSERT_TRUE(Quarters(300, 600).convertToFormat(QImage::Format_Indexed8).save(dir.filePath("c.png")));
    ASSERT_TRUE(Quarters(100, 80).save(dir.filePath("small.png")));
    struct Case {
        const char* file;
        QSize size;
    };
    for (const Case c : {Case{"a.jpg", {256, 201}}, Case{"b.png", {256, 128}}, Case{"c.png", {128, 256}},
                         Case{"small.png", {100, 80}}}) {
        SCOPED_TRACE(c.file);
        const QImage thumb = ThumbnailOf(dir.filePath(c.file), kThumbnailSide);
        EXPECT_EQ(thumb.size(), c.size);
        ExpectQuarters(thumb);
    }
    QFile text(dir.filePath("d.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not an image\n");
    text.close();
    EXPECT_THROW(ThumbnailOf(dir.filePath("d.png"), kThumbnailSide), TessError);
    EXPECT_THROW(ThumbnailOf(dir.filePath("none.jpg"), kThumbnailSide), TessError);
}

TEST(ThumbnailTest, PublishingAgainTakesTheThumbnailOfAnUnchangedImageOnly)
{
    QTemporaryDir dir;
    MemoryLog log;
    Workspace ws(log, ".");
    for (const char* name : {"a", "b", ".c"}) {
        QFile jpeg(dir.filePath(QStringLiteral("%1.jpg").arg(name)));
        ASSERT_TRUE(jpeg.open(QIODevice::WriteOnly));
        jpeg.write(EncodeJpeg(Quarters(700, 550), 90));
        TSingleMap sheet;
        sheet.FileName = QStringLiteral("%1.map").arg(name);
        sheet.ImageFile = QStringLiteral("%1.jpg").arg(name);
        sheet.IsOk = true;
        sheet.Pixels = {{0, 0}, {10, 0}, {10, 10}};
        ws.data.Maps.push_back(sheet);
    }
    const QString earlier = dir.filePath("thumbs");
    const auto first = MakeThumbnails(ws, dir.path(), earlier, {}, 0, 3);
    ASSERT_TRUE(first && first->files.size() == 3);
    EXPECT_NE(first->names[0], first->names[1]);
    EXPECT_FALSE(first->names[2].startsWith(u'.')) << "no hidden file, which web servers refuse";
    // The last publish's thumbnails, told apart from any made now.
    QDir().mkpath(earlier);
    for (const FileReplacement& f : first->files) {
        QFile thumb(earlier + u'/' + f.path);
        ASSERT_TRUE(thumb.open(QIODevice::WriteOnly));
        thumb.write("earlier " + f.path.toUtf8());
    }
    QFile changed(dir.filePath("b.jpg"));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    ASSERT_TRUE(changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    changed.close();

    const auto again = MakeThumbnails(ws, dir.path(), earlier, {}, 0, 3);
    ASSERT_TRUE(again && again->files.size() == 3);
    EXPECT_EQ(again->names[0], first->names[0]);
    EXPECT_EQ(again->files[0].bytes, "earlier " + first->names[0].toUtf8()) << "a.jpg is unchanged";
    EXPECT_NE(again->names[1], first->names[1]) << "a changed image's thumbnail is a new link";
    EXPECT_EQ(DecodeJpeg(again->files[1].bytes, -1).size(), QSize(256, 201)) << "made anew from b.jpg";
}

}  // namespace
