// SPDX-License-Identifier: GPL-3.0-or-later
#include "Gradient.h"
#include "GuiApplication.h"
#include "QtPrint.h"
#include "imaging/BorderDrawing.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const QRgb kRed = qRgb(255, 0, 0);

QImage Drawn(QImage image, const QPolygon& polygon, int width, bool hatch)
{
    EnsureGuiApplication();
    DrawBorderPolygons(image, {polygon}, BorderStyle{QColor(kRed), width, hatch});
    return image;
}

QPolygon Square(int left, int top, int right, int bottom)
{
    return QPolygon({QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom)});
}

// Outline and hatch pixel for pixel: the edges through the corners, and
// inside one pixel in eight from top left to bottom right, aligned to the
// image's corner, the image unchanged between.
TEST(BorderDrawing, TheOutlineRunsThroughTheCornersAndTheHatchIsTheForwardDiagonal)
{
    const QImage original = Gradient(64, 64);
    for (bool hatch : {false, true}) {
        const QImage image = Drawn(original, Square(9, 13, 57, 60), 1, hatch);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const bool edge = ((x == 9 || x == 57) && y >= 13 && y <= 60) || ((y == 13 || y == 60) && x >= 9 && x <= 57);
                const bool line = hatch && x > 9 && x < 57 && y > 13 && y < 60 && (x - y) % 8 == 0;
                ASSERT_EQ(image.pixel(x, y), edge || line ? kRed : original.pixel(x, y)) << x << ',' << y << ' ' << hatch;
            }
        }
    }
}

TEST(BorderDrawing, NoAntialiasingAndClippedAtTheImagesEdges)
{
    QImage white(80, 80, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QImage crisp = Drawn(white, QPolygon({QPoint(3, 7), QPoint(71, 23), QPoint(40, 77)}), 3, true);
    std::set<QRgb> colours;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x)
            colours.insert(crisp.pixel(x, y));
    EXPECT_EQ(colours, (std::set<QRgb>{kRed, qRgb(255, 255, 255)}));
    const QImage far = Drawn(white, Square(-2000000000, 10, 20, 2000000000), 5, false);
    EXPECT_EQ(far.pixel(10, 10), kRed);
    EXPECT_EQ(far.pixel(20, 70), kRed);
    EXPECT_EQ(far.pixel(40, 40), qRgb(255, 255, 255));
}

// Past 32,767 pixels the same polygon, shifted by a multiple of 8, draws the same pixels.
TEST(BorderDrawing, WorksOnImagesWiderOrHigherThan32767Pixels)
{
    const QPolygon shape({QPoint(40, 5), QPoint(190, 3), QPoint(210, 55), QPoint(60, 40)});
    for (const QPoint offset : {QPoint(38960, 0), QPoint(0, 38960)}) {
        QImage canvas(QSize(400, 64) + QSize(offset.x(), offset.y()), QImage::Format_RGB32);
        canvas.fill(Qt::black);
        for (bool hatch : {false, true})
            EXPECT_EQ(Drawn(canvas, shape.translated(offset), 5, hatch).copy(QRect(offset, QSize(400, 64))),
                      Drawn(canvas.copy(QRect(offset, QSize(400, 64))), shape, 5, hatch)) << offset.x() << hatch;
    }
}

}  // namespace
