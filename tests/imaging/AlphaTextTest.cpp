#include "QtPrint.h"
#include "GuiApplication.h"
#include "imaging/AlphaText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

QImage Filled(QSize size, QImage::Format format, QRgb value)
{
    QImage image(size, format);
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row, row + size.width(), value);
    }
    return image;
}

// The raw 32-bit value in memory, fourth byte included.
QRgb Raw(const QImage& image, int x, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]; }

TEST(AlphaBlendBitmap, FollowsTheBlendRuleRoundedToNearest)
{
    // The rule: s·C/255 + (1 − sa·C/65025)·d, the source premultiplied; without
    // per-pixel alpha the source counts as opaque.
    struct {
        const char* what;
        QRgb source;
        quint8 alpha;
        QRgb dest;
        QRgb expected;
        bool argbDest = false;
        bool perPixel = true;
    } const cases[] = {
        {"opaque source, full opacity", qRgba(200, 100, 50, 255), 255, qRgb(10, 20, 30), qRgb(200, 100, 50)},
        {"zero coverage", qRgba(0, 0, 0, 0), 255, qRgb(10, 20, 30), qRgb(10, 20, 30)},
        {"constant alpha 0", qRgba(254, 0, 0, 255), 0, qRgb(10, 20, 30), qRgb(10, 20, 30)},
        // 199.608, 163.608, 99.608: truncating would give 199, 163, 99.
        {"half coverage", qRgba(100, 64, 0, 128), 255, qRgb(200, 200, 200), qRgb(200, 164, 100)},
        // 199.989, 199.001, 197.244
        {"half coverage, alpha 7", qRgba(100, 64, 0, 128), 7, qRgb(200, 200, 200), qRgb(200, 199, 197)},
        // 199.706, 172.742, 124.804
        {"half coverage, alpha 191", qRgba(100, 64, 0, 128), 191, qRgb(200, 200, 200), qRgb(200, 173, 125)},
        // 6.973, 124.486, 248
        {"full coverage, alpha 7", qRgba(254, 0, 0, 255), 7, qRgb(0, 128, 255), qRgb(7, 124, 248)},
        // 190.251, 32.125, 64
        {"full coverage, alpha 191", qRgba(254, 0, 0, 255), 191, qRgb(0, 128, 255), qRgb(190, 32, 64)},
        // alpha: 128 + (1 − 128/255)·100 = 177.804
        {"ARGB destination", qRgba(100, 64, 0, 128), 255, qRgba(200, 200, 200, 100), qRgba(200, 164, 100, 178), true},
        // 100·191/255 + 64/255·200 = 125.098; 98.133; 49.804
        {"no per-pixel alpha", qRgba(100, 64, 0, 0), 191, qRgb(200, 200, 200), qRgb(125, 98, 50), false, false},
    };
    for (const auto& c : cases) {
        const QImage source = Filled({1, 1}, QImage::Format_ARGB32, c.source);
        QImage dest = Filled({1, 1}, c.argbDest ? QImage::Format_ARGB32 : QImage::Format_RGB32, c.dest);
        AlphaBlendBitmap(source, dest, 0, 0, c.alpha, c.perPixel);
        EXPECT_EQ(Raw(dest, 0, 0), c.expected) << c.what << std::hex << " got " << Raw(dest, 0, 0);
    }
}

TEST(AlphaBlendBitmap, IsClippedToTheDestination)
{
    const QImage source = Filled({3, 3}, QImage::Format_ARGB32, qRgba(200, 100, 50, 255));
    QImage dest = Filled({4, 4}, QImage::Format_RGB32, qRgb(1, 2, 3));
    AlphaBlendBitmap(source, dest, -2, 2, 255, true);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Raw(dest, x, y), x == 0 && y >= 2 ? qRgb(200, 100, 50) : qRgb(1, 2, 3)) << x << "," << y;
}

class DrawAlphaTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        font.setFamily(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(40);
        font.setBold(true);
    }

    QImage background() const { return Filled({120, 80}, QImage::Format_RGB32, qRgb(0, 128, 255)); }

    QFont font;
    const QColor red{255, 0, 0};
    const QString text = QStringLiteral("HM");
};

TEST_F(DrawAlphaTextTest, OnlyTheTextBoxChangesAndFullCoverageFollowsTheRule)
{
    const QSize box = TextBoxSize(font, text);
    ASSERT_GT(box.width(), 0);
    ASSERT_GT(box.height(), 0);
    const QPoint at(7, 5);
    const QRect rect(at, box);

    // Where the coverage is full, the opaque text image holds 255·255 >> 8.
    const QRgb fullAt255 = qRgb(254, 0, 0);
    QImage opaque = background();
    DrawAlphaText(opaque, font, red, 255, at.x(), at.y(), text);
    const QImage before = background();
    std::vector<QPoint> full;
    for (int y = 0; y < opaque.height(); ++y) {
        for (int x = 0; x < opaque.width(); ++x) {
            EXPECT_EQ(Raw(opaque, x, y) >> 24, 0xFFu) << "the image stays valid RGB32";
            if (!rect.contains(x, y)) {
                EXPECT_EQ(Raw(opaque, x, y), Raw(before, x, y)) << x << "," << y;
            }
            if (Raw(opaque, x, y) == fullAt255)
                full.emplace_back(x, y);
        }
    }
    ASSERT_GT(full.size(), 20u) << "a bold 40 px text has fully covered pixels";
    QImage unchanged = background();
    DrawAlphaText(unchanged, font, red, 0, at.x(), at.y(), text);
    DrawAlphaText(unchanged, font, red, 255, at.x(), at.y(), QString());
    EXPECT_EQ(unchanged, before) << "opacity 0 and the empty text change nothing";

    for (auto [alpha, expected] : {std::pair<quint8, QRgb>{7, qRgb(7, 124, 248)}, {191, qRgb(190, 32, 64)}}) {
        QImage image = background();
        DrawAlphaText(image, font, red, alpha, at.x(), at.y(), text);
        for (const QPoint& p : full)
            ASSERT_EQ(Raw(image, p.x(), p.y()), expected) << int(alpha) << " at " << p.x() << "," << p.y();
    }
}

TEST_F(DrawAlphaTextTest, AtTheEdgeOnlyThePartInsideIsDrawn)
{
    const QSize box = TextBoxSize(font, text);
    QImage image = background();
    const QPoint at(image.width() - box.width() / 2, -box.height() / 2);
    DrawAlphaText(image, font, red, 255, at.x(), at.y(), text);
    const QImage before = background();
    int changed = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Raw(image, x, y) == Raw(before, x, y))
                continue;
            ++changed;
            EXPECT_TRUE(QRect(at, box).contains(x, y)) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 0);

    QImage far = background();
    DrawAlphaText(far, font, red, 255, INT32_MAX - 5, INT32_MIN, text);
    EXPECT_EQ(far, before);
}

}  // namespace
