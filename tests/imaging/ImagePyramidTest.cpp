// SPDX-License-Identifier: GPL-3.0-or-later
#include "Gradient.h"
#include "MapFiles.h"
#include "imaging/ImagePyramid.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Each channel of a level pixel is the mean of its 2 x 2 block, rounded
// half up; an odd last row and column are left out. Four pixels side by
// side take another road than one alone.
TEST(ImagePyramid, EachPixelIsTheRoundedMeanOfItsBlock)
{
    const auto colour = [](const QString& text) {
        const QStringList c = text.trimmed().split(' ');
        return qRgb(c[0].toInt(), c[1].toInt(), c[2].toInt());
    };
    for (const QStringList& row : testfiles::Rows("imaging/pyramid-blocks.txt")) {
        const QStringList block = row[0].split(',');
        const QRgb expected = colour(row[1]);
        QImage image(11, 3, QImage::Format_RGB32);  // five blocks: four at once and one alone
        image.fill(qRgb(255, 255, 255));
        for (int i = 0; i < 20; ++i)
            image.setPixel(i / 4 * 2 + i % 2, i % 4 / 2, colour(block[i % 4]));
        ImagePyramid pyramid;
        pyramid.build(image);
        ASSERT_EQ(pyramid.levels(), 1);
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(pyramid.level(1).pixel(x, 0), expected) << row[0].toStdString() << " at " << x;
    }
}

TEST(ImagePyramid, UpdatingAChangedRectangleEqualsARebuild)
{
    QImage image = Gradient(203, 117);
    ImagePyramid updated;
    updated.build(image);
    for (const QRect changed : {QRect(0, 0, 1, 1), QRect(77, 31, 45, 20), QRect(200, 110, 3, 7), QRect(5, 0, 1, 117)}) {
        QPainter(&image).fillRect(changed, QColor(255, changed.x() % 256, 77));
        updated.update(image, changed);
        ImagePyramid rebuilt;
        rebuilt.build(image);
        for (int level = 1; level <= rebuilt.levels(); ++level)
            EXPECT_EQ(updated.level(level), rebuilt.level(level)) << "level " << level << " after " << changed.x();
    }
}

TEST(ImagePyramid, HalvesDownToOnePixelWithinAThirdOfTheImage)
{
    for (const auto& [size, levels] : {std::pair{QSize(1, 1), 0}, {QSize(2, 3), 1}, {QSize(3000, 2), 1},
                                       {QSize(4097, 3001), 11}}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(qRgb(9, 9, 9));
        ImagePyramid pyramid;
        pyramid.build(image);
        EXPECT_EQ(pyramid.levels(), levels) << size.width();
        EXPECT_LE(pyramid.bytes() * 3, image.sizeInBytes());
    }
}

}  // namespace
