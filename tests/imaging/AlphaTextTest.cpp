// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiApplication.h"
#include "QtPrint.h"
#include "imaging/AlphaText.h"

#include <gtest/gtest.h>

namespace {

// Each channel: s·C/255 + (1 − sa·C/65025)·d, the source premultiplied, the
// exact value rounded once to the nearest integer; without per-pixel alpha
// the source counts as opaque.
TEST(AlphaBlendBitmap, RoundsTheBlendRuleOnceToTheNearest)
{
    struct {
        QRgb source;
        quint8 alpha;
        QRgb dest;
        QRgb expected;
        bool perPixel = true;
    } const cases[] = {
        {qRgba(200, 100, 50, 255), 255, qRgb(10, 20, 30), qRgb(200, 100, 50)},
        {qRgba(254, 0, 0, 255), 0, qRgb(10, 20, 30), qRgb(10, 20, 30)},
        {qRgba(100, 64, 0, 128), 255, qRgb(200, 200, 200), qRgb(200, 164, 100)},         // 199.608, 163.608, 99.608
        {qRgba(100, 64, 0, 128), 7, qRgb(200, 200, 200), qRgb(200, 199, 197)},           // 199.989, 199.001, 197.244
        {qRgba(254, 0, 0, 255), 191, qRgb(0, 128, 255), qRgb(190, 32, 64)},              // 190.251, 32.125, 64
        {qRgba(100, 64, 0, 0), 191, qRgb(200, 200, 200), qRgb(125, 98, 50), false},      // 125.098, 98.133, 49.804
    };
    for (const auto& c : cases) {
        QImage source(1, 1, QImage::Format_ARGB32);
        QImage dest(1, 1, QImage::Format_RGB32);
        source.setPixel(0, 0, c.source);
        dest.setPixel(0, 0, c.dest);
        AlphaBlendBitmap(source, dest, 0, 0, c.alpha, c.perPixel);
        EXPECT_EQ(dest.pixel(0, 0), c.expected) << std::hex << c.source << " at " << int(c.alpha);
    }
}

// Full coverage premultiplies red 255 to 255·255 >> 8 = 254 before the blend.
TEST(DrawAlphaText, OnlyTheTextBoxChangesAndFullCoverageFollowsTheRule)
{
    EnsureGuiApplication();
    QFont font("DejaVu Sans");
    font.setPixelSize(40);
    font.setBold(true);
    QImage background(120, 80, QImage::Format_RGB32);
    background.fill(qRgb(0, 128, 255));
    const QRect box(QPoint(7, 5), TextBoxSize(font, "HM"));
    for (auto [alpha, full] : {std::pair<quint8, QRgb>{255, qRgb(254, 0, 0)}, {191, qRgb(190, 32, 64)}, {0, qRgb(0, 128, 255)}}) {
        QImage image = background.copy();
        DrawAlphaText(image, font, Qt::red, alpha, box.x(), box.y(), "HM");
        int fullyCovered = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!box.contains(x, y)) {
                    ASSERT_EQ(image.pixel(x, y), background.pixel(x, y)) << x << "," << y;
                }
                fullyCovered += image.pixel(x, y) == full;
            }
        }
        EXPECT_GT(fullyCovered, alpha ? 20 : 120 * 80 - 1) << int(alpha) << ": opacity 0 changes nothing";
    }
}

}  // namespace
