// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiApplication.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "imaging/AlphaText.h"

#include <gtest/gtest.h>

namespace {

QRgb Colour(const QString& text)
{
    const QStringList c = text.split(' ');
    return qRgba(c[0].toInt(), c[1].toInt(), c[2].toInt(), c.value(3, "255").toInt());
}

TEST(AlphaBlendBitmap, RoundsTheBlendRuleOnceToTheNearest)
{
    for (const QStringList& row : testfiles::Rows("imaging/alpha-blend.txt")) {
        QImage source(1, 1, QImage::Format_ARGB32);
        QImage dest(1, 1, QImage::Format_RGB32);
        source.setPixel(0, 0, Colour(row[0]));
        dest.setPixel(0, 0, Colour(row[2]));
        AlphaBlendBitmap(source, dest, 0, 0, quint8(row[1].toInt()), row[4] == "yes");
        EXPECT_EQ(dest.pixel(0, 0), Colour(row[3])) << row.join(" | ").toStdString();
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
