// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/OverviewTiles.h"

#include "core/Errors.h"
#include "imaging/ImageBuffer.h"
#include "imaging/ImagePyramid.h"
#include "imaging/JpegCodec.h"
#include "workflow/ParallelJobs.h"

#include <algorithm>
#include <vector>

namespace {

int TilesAcross(int pixels) { return (pixels + kTileSize - 1) / kTileSize; }

// How many levels below the overview's own are made band by band.
constexpr int kBandLevels = 3;

// Rows of an image, in place: read-only, or writable when the image is.
QImage RowsOf(const QImage& image, int top, int rows)
{
    return QImage(image.constScanLine(top), image.width(), rows, image.bytesPerLine(), QImage::Format_RGB32);
}

QImage RowsOf(QImage& image, int top, int rows)
{
    return QImage(image.scanLine(top), image.width(), rows, image.bytesPerLine(), QImage::Format_RGB32);
}

// A level's picture, or the part of it a band covers, which starts at tile
// row `firstRow` of the level.
struct Level {
    int zoom;
    int firstRow;
    QImage image;
};

struct TilePlace {
    const Level* level;
    int column, row;
};

// A tile's pixels read where they are in the level's picture.
QImage TileOf(const QImage& level, int column, int row)
{
    const int x = column * kTileSize, y = row * kTileSize;
    const int w = std::min(kTileSize, level.width() - x), h = std::min(kTileSize, level.height() - y);
    return QImage(level.constScanLine(y) + std::size_t(x) * 4, w, h, level.bytesPerLine(), QImage::Format_RGB32);
}

}  // namespace

int TileMaxZoom(QSize overview)
{
    int zoom = 0;
    for (qint64 side = std::max(overview.width(), overview.height()); side > kTileSize; side = (side + 1) / 2)
        ++zoom;
    return zoom;
}

qint64 OverviewTileCount(QSize overview)
{
    qint64 count = 0;
    for (int z = 0; z <= TileMaxZoom(overview); ++z) {
        const QSize level = TileLevelSize(overview, z);
        count += qint64(TilesAcross(level.width())) * TilesAcross(level.height());
    }
    return count;
}

QSize TileLevelSize(QSize overview, int zoom)
{
    QSize size = overview;
    for (int z = TileMaxZoom(overview); z > zoom; --z)
        size = QSize((size.width() + 1) / 2, (size.height() + 1) / 2);
    return size;
}

bool MakeOverviewTiles(const QImage& overview, const ProgressFunction& progress, qint64 total, const TileSaver& save)
{
    const QImage rgb = overview.format() == QImage::Format_RGB32 ? overview : overview.convertToFormat(QImage::Format_RGB32);
    const int maxZoom = TileMaxZoom(rgb.size());
    const int depth = std::min(kBandLevels, maxZoom);
    const int bandRows = kTileSize << depth;
    // The finest levels are made a band of rows at a time, in buffers used
    // again for every band: whole halved copies of a large overview would
    // cost more to map and clear than the tiles take to encode. The band's
    // last halving lands in the coarse level, from which the rest is made.
    const QSize coarseSize = TileLevelSize(rgb.size(), maxZoom - depth);
    QImage coarse = depth == 0 ? rgb : NewRgb32Image(coarseSize.width(), coarseSize.height());
    std::vector<QImage> buffers;
    for (int k = 1; k < depth; ++k)
        buffers.push_back(NewRgb32Image(TileLevelSize(rgb.size(), maxZoom - k).width(), bandRows >> k));
    if (coarse.isNull() || std::any_of(buffers.begin(), buffers.end(), [](const QImage& b) { return b.isNull(); }))
        throw Errors::imageTooLarge(rgb.width(), rgb.height(), QStringLiteral("does not fit in memory"));
    qint64 done = 0;
    const auto encodeLevels = [&](const std::vector<Level>& levels) {
        std::vector<TilePlace> places;
        for (const Level& level : levels) {
            for (int x = 0; x < TilesAcross(level.image.width()); ++x) {
                for (int y = 0; y < TilesAcross(level.image.height()); ++y)
                    places.push_back({&level, x, y});
            }
        }
        const auto encode = [&](std::size_t i) {
            const TilePlace& p = places[i];
            save(QStringLiteral("%1/%2/%3.jpg").arg(p.level->zoom).arg(p.column).arg(p.level->firstRow + p.row),
                 EncodeJpeg(TileOf(p.level->image, p.column, p.row), kTileQuality));
        };
        if (!RunInParallel(places.size(), encode, progress, QStringLiteral("Making the overview's tiles"), done, total))
            return false;
        done += qint64(places.size());
        return true;
    };
    for (int top = 0; top < rgb.height(); top += bandRows) {
        std::vector<Level> levels{{maxZoom, top / kTileSize, RowsOf(rgb, top, std::min(bandRows, rgb.height() - top))}};
        for (int k = 1; k <= depth; ++k) {
            QImage& into = k == depth ? coarse : buffers[std::size_t(k - 1)];
            const int rows = (levels.back().image.height() + 1) / 2;
            QImage half = RowsOf(into, k == depth ? top >> k : 0, rows);
            HalveRoundedUp(levels.back().image, half);
            levels.push_back({maxZoom - k, (top >> k) / kTileSize, std::move(half)});
        }
        if (!encodeLevels(levels))
            return false;
    }
    QImage level = coarse;
    for (int z = maxZoom - depth - 1; z >= 0; --z) {
        level = HalfImageRoundedUp(level);
        if (level.isNull())
            throw Errors::imageTooLarge(rgb.width(), rgb.height(), QStringLiteral("does not fit in memory"));
        if (!encodeLevels({{z, 0, level}}))
            return false;
    }
    return true;
}
