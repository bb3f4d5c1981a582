#include "QtPrint.h"
#include "imaging/ImageBuffer.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

TEST(ImageBuffer, LargeImagesBehaveAsAnyQImage)
{
    // Small images come from QImage itself, large ones from a mapping of their own.
    for (const QSize size : {QSize(30, 20), QSize(1500, 700)}) {
        SCOPED_TRACE(size.width());
        QImage image = NewRgb32Image(size.width(), size.height());
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), size);
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        const QImage before = image;  // shares the pixels until one is written
        QPainter painter(&image);
        painter.fillRect(QRect(2, 2, 5, 5), Qt::red);
        painter.end();
        EXPECT_EQ(image.pixel(3, 3), qRgb(255, 0, 0));
        EXPECT_EQ(before.pixel(3, 3), qRgb(1, 2, 3));
        EXPECT_EQ(image.pixel(size.width() - 1, size.height() - 1), qRgb(1, 2, 3));
    }
    EXPECT_TRUE(NewRgb32Image(0, 10).isNull());
}

}  // namespace
