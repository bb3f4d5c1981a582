// SPDX-License-Identifier: GPL-3.0-or-later
// The overview's tiles: at every level a tile shows the overview's pixels of
// its place (their mean, halved level by level), within what JPEG changes,
// and the last column and row stop at the picture's edge.
#include "Gradient.h"
#include "imaging/JpegCodec.h"
#include "workflow/web/OverviewTiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace {

// The mean of the overview's pixels that level pixel (x, y) stands for, one
// channel at a time, computed straight from the overview.
QRgb BlockMean(const QImage& image, int x, int y, int factor)
{
    long sum[3] = {0, 0, 0}, count = 0;
    for (int v = y * factor; v < std::min(image.height(), (y + 1) * factor); ++v) {
        for (int u = x * factor; u < std::min(image.width(), (x + 1) * factor); ++u, ++count) {
            const QRgb p = image.pixel(u, v);
            sum[0] += qRed(p);
            sum[1] += qGreen(p);
            sum[2] += qBlue(p);
        }
    }
    return qRgb(int(sum[0] / count), int(sum[1] / count), int(sum[2] / count));
}

// Smooth enough for JPEG to keep, with steps of brightness (which JPEG
// keeps at full resolution) that show a shifted tile or level. The steps
// grow with the picture, so that they stay wide enough for JPEG's colour
// at the coarsest level too.
QImage Overview(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    const int grow = std::max(width, height) / 1024 + 1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int step = ((x / (97 * grow) + y / (61 * grow)) % 2) * 80;
            image.setPixel(x, y, qRgb((x * 150) / width + step, (y * 150) / height + step, 60 + step));
        }
    }
    return image;
}

TEST(OverviewTilesTest, EachTileHoldsTheOverviewOfItsPlaceAtEveryLevel)
{
    struct Case {
        int width, height, maxZoom;
    };
    for (const Case c : {Case{256, 256, 0}, Case{257, 40, 1}, Case{1000, 800, 2}, Case{1301, 515, 3}, Case{100, 1030, 3},
                         Case{301, 4701, 5}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const QImage overview = Overview(c.width, c.height);
        ASSERT_EQ(TileMaxZoom(overview.size()), c.maxZoom);
        std::mutex mutex;
        std::map<QString, QByteArray> byName;
        std::size_t made = 0;
        ASSERT_TRUE(MakeOverviewTiles(overview, {}, 0, [&](const QString& name, const QByteArray& jpeg) {
            const std::lock_guard lock(mutex);
            byName[name] = jpeg;
            ++made;
        }));
        EXPECT_EQ(byName.size(), made) << "no name twice";
        EXPECT_EQ(qint64(made), OverviewTileCount(overview.size()));
        std::size_t seen = 0;
        for (int z = 0; z <= c.maxZoom; ++z) {
            const int factor = 1 << (c.maxZoom - z);
            const QSize level((c.width + factor - 1) / factor, (c.height + factor - 1) / factor);
            EXPECT_EQ(TileLevelSize(overview.size(), z), level);
            EXPECT_LE(std::max(TileLevelSize(overview.size(), 0).width(), TileLevelSize(overview.size(), 0).height()), kTileSize);
            for (int x = 0; x * kTileSize < level.width(); ++x) {
                for (int y = 0; y * kTileSize < level.height(); ++y, ++seen) {
                    const QString name = QStringLiteral("%1/%2/%3.jpg").arg(z).arg(x).arg(y);
                    ASSERT_TRUE(byName.count(name)) << name.toStdString();
                    const QImage tile = DecodeJpeg(byName[name], -1);
                    ASSERT_EQ(tile.size(), QSize(std::min(kTileSize, level.width() - x * kTileSize),
                                                 std::min(kTileSize, level.height() - y * kTileSize)))
                        << name.toStdString();
                    long worst = 0, total = 0;
                    for (int v = 0; v < tile.height(); ++v) {
                        for (int u = 0; u < tile.width(); ++u) {
                            const QRgb want = BlockMean(overview, x * kTileSize + u, y * kTileSize + v, factor);
                            const QRgb got = tile.pixel(u, v);
                            const long d = std::abs(qRed(want) - qRed(got)) + std::abs(qGreen(want) - qGreen(got)) +
                                           std::abs(qBlue(want) - qBlue(got));
                            worst = std::max(worst, d);
                            total += d;
                        }
                    }
                    EXPECT_LT(double(total) / (tile.width() * tile.height()), 10.0) << name.toStdString();
                    EXPECT_LT(worst, 120) << "a step of 80 on every channel moved" << name.toStdString();
                }
            }
        }
        EXPECT_EQ(seen, made) << "no tile beyond the picture";
    }
}

TEST(OverviewTilesTest, AnAnswerOfStopStopsAtTheNextTile)
{
    int asked = 0;
    std::atomic<int> made = 0;
    const auto stop = [&asked](const QString&, qint64, qint64) { return ++asked < 2; };
    // Saving as slowly as a busy disk lets the answer arrive before the
    // workers could have made every tile anyway.
    EXPECT_FALSE(MakeOverviewTiles(Overview(1000, 800), stop, 21, [&made](const QString&, const QByteArray&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ++made;
    }));
    EXPECT_EQ(asked, 2);
    EXPECT_LT(made, 21);
}

}  // namespace
