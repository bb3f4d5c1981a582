#include "QtPrint.h"
#include "GuiApplication.h"
#include "Gradient.h"
#include "imaging/BorderDrawing.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

QImage Drawn(QImage image, const std::vector<QPolygon>& polygons, int width, bool hatch, QRgb color = kRed)
{
    DrawBorderPolygons(image, polygons, BorderStyle{QColor(color), width, hatch});
    return image;
}

QPolygon Square(int left, int top, int right, int bottom)
{
    return QPolygon({QPoint(left, top), QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom)});
}

// The rows of column x, from y0 to y1, that hold `color`.
std::vector<int> RowsOf(const QImage& image, int x, int y0, int y1, QRgb color)
{
    std::vector<int> rows;
    for (int y = y0; y <= y1; ++y)
        if (image.pixel(x, y) == color)
            rows.push_back(y);
    return rows;
}

class BorderDrawingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }
};

TEST_F(BorderDrawingTest, AOnePixelOutlineRunsThroughTheCorners)
{
    const QImage original = Gradient(50, 50);
    const QImage image = Drawn(original, {Square(10, 10, 30, 30)}, 1, false);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            const bool onEdge = ((x == 10 || x == 30) && y >= 10 && y <= 30) || ((y == 10 || y == 30) && x >= 10 && x <= 30);
            ASSERT_EQ(image.pixel(x, y), onEdge ? kRed : original.pixel(x, y)) << x << ',' << y;
        }
    }
}

TEST_F(BorderDrawingTest, AWidePenCoversItsWidthAcrossTheLineAndZeroDrawsOnePixel)
{
    const QImage image = Drawn(Gradient(60, 60), {Square(10, 20, 50, 50)}, 5, false);
    EXPECT_EQ(RowsOf(image, 30, 10, 30, kRed), (std::vector<int>{18, 19, 20, 21, 22}));
    const QImage original = Gradient(50, 50);
    const QPolygon shape({QPoint(5, 5), QPoint(40, 12), QPoint(30, 44), QPoint(8, 30)});
    for (bool hatch : {false, true})
        EXPECT_EQ(Drawn(original, {shape}, 0, hatch), Drawn(original, {shape}, 1, hatch)) << hatch;
}

TEST_F(BorderDrawingTest, NoAntialiasingLeavesOnlyLineColour)
{
    QImage white(80, 80, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QImage image = Drawn(white, {QPolygon({QPoint(3, 7), QPoint(71, 23), QPoint(40, 77)})}, 3, true);
    std::set<QRgb> colours;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x)
            colours.insert(image.pixel(x, y));
    EXPECT_EQ(colours, (std::set<QRgb>{kRed, qRgb(255, 255, 255)}));
}

TEST_F(BorderDrawingTest, TheHatchIsTheForwardDiagonalAlignedToTheImage)
{
    const QImage original = Gradient(64, 64);
    const QImage hatched = Drawn(original, {Square(9, 13, 57, 60)}, 1, true);
    const QImage outlined = Drawn(original, {Square(9, 13, 57, 60)}, 1, false);
    int hatchPixels = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const bool inside = x > 9 && x < 57 && y > 13 && y < 60;
            const bool onHatch = inside && (x - y) % 8 == 0;
            ASSERT_EQ(hatched.pixel(x, y), onHatch ? kRed : outlined.pixel(x, y)) << x << ',' << y;
            hatchPixels += onHatch ? 1 : 0;
        }
    }
    EXPECT_GT(hatchPixels, 200);
}

TEST_F(BorderDrawingTest, LaterPolygonsLieOnTop)
{
    QImage image = Drawn(Gradient(50, 50), {Square(10, 10, 30, 30)}, 1, false, kRed);
    image = Drawn(image, {Square(20, 10, 40, 30)}, 1, false, kBlue);
    EXPECT_EQ(image.pixel(20, 10), kBlue);
    EXPECT_EQ(image.pixel(25, 30), kBlue);
    EXPECT_EQ(image.pixel(15, 10), kRed);
    EXPECT_EQ(image.pixel(10, 20), kRed);

    const QImage both = Drawn(Gradient(50, 50), {Square(10, 10, 30, 30), Square(20, 10, 40, 30)}, 1, false);
    EXPECT_EQ(both.pixel(30, 20), kRed);
}

TEST_F(BorderDrawingTest, PartsOutsideTheImageAreClipped)
{
    const QImage original = Gradient(50, 50);
    const QImage image = Drawn(original, {Square(-100, 10, 20, 300)}, 1, false);
    for (int x = 0; x <= 20; ++x)
        EXPECT_EQ(image.pixel(x, 10), kRed) << x;
    EXPECT_EQ(RowsOf(image, 20, 0, 49, kRed).size(), 40u);
    EXPECT_EQ(image.pixel(21, 11), original.pixel(21, 11));

    const QImage far = Drawn(original, {Square(-2000000000, 10, 20, 2000000000)}, 5, true);
    EXPECT_EQ(far.pixel(10, 10), kRed);
    EXPECT_EQ(far.pixel(20, 30), kRed);
    EXPECT_EQ(far.pixel(40, 40), original.pixel(40, 40));

    EXPECT_EQ(Drawn(original, {QPolygon()}, 3, true), original) << "an empty polygon draws nothing";
    QImage none;
    DrawBorderPolygons(none, {Square(1, 1, 5, 5)}, BorderStyle{QColor(kRed), 1, false});
    EXPECT_TRUE(none.isNull());
}

// The same polygon drawn on a small picture and far out on a big one, shifted
// by a multiple of 8 so the hatch falls alike: the pixels must agree.
void ExpectSameFarOut(QSize big, QPoint offset, const QPolygon& shape, QSize small)
{
    const QImage picture = Gradient(small.width(), small.height());
    QImage canvas(big, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            canvas.setPixel(offset.x() + x, offset.y() + y, picture.pixel(x, y));
    for (bool hatch : {false, true}) {
        for (int width : {1, 5}) {
            const QImage expected = Drawn(picture, {shape}, width, hatch);
            const QImage drawn = Drawn(canvas, {shape.translated(offset)}, width, hatch);
            EXPECT_EQ(drawn.copy(QRect(offset, small)), expected) << width << ' ' << hatch;
        }
    }
}

TEST_F(BorderDrawingTest, WorksOnImagesBeyond32767Pixels)
{
    ExpectSameFarOut(QSize(40000, 64), QPoint(38960, 0),
                     QPolygon({QPoint(40, 5), QPoint(190, 3), QPoint(210, 55), QPoint(60, 40)}), QSize(400, 64));
    ExpectSameFarOut(QSize(64, 40000), QPoint(0, 38960),
                     QPolygon({QPoint(5, 40), QPoint(3, 190), QPoint(55, 210), QPoint(40, 60)}), QSize(64, 400));

    // An outline across the 32,768th column.
    QImage wide(40000, 64, QImage::Format_RGB32);
    wide.fill(Qt::white);
    const QImage image = Drawn(wide, {Square(32000, 10, 39990, 50)}, 1, false);
    for (int x : {32000, 32767, 32768, 39000, 39990})
        EXPECT_EQ(RowsOf(image, x, 0, 63, kRed).size(), x == 32000 || x == 39990 ? 41u : 2u) << x;
}

}  // namespace
