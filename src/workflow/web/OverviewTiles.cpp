// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/OverviewTiles.h"

#include "core/Errors.h"
#include "imaging/ImagePyramid.h"
#include "imaging/JpegCodec.h"
#include "workflow/web/ParallelJobs.h"

#include <algorithm>

namespace {

int TilesAcross(int pixels) { return (pixels + kTileSize - 1) / kTileSize; }

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
    qint64 done = 0;
    QImage halved;  // the level below the overview's own, once made
    const QImage* level = &rgb;
    for (int z = TileMaxZoom(rgb.size()); z >= 0; --z) {
        if (z < TileMaxZoom(rgb.size())) {
            halved = HalfImageRoundedUp(*level);
            if (halved.isNull())
                throw Errors::imageTooLarge(level->width(), level->height(), QStringLiteral("does not fit in memory"));
            level = &halved;
        }
        const int columns = TilesAcross(level->width()), rows = TilesAcross(level->height());
        const auto encode = [&](std::size_t i) {
            const int x = int(i) / rows, y = int(i) % rows;
            save(QStringLiteral("%1/%2/%3.jpg").arg(z).arg(x).arg(y), EncodeJpeg(TileOf(*level, x, y), kTileQuality));
        };
        const std::size_t count = std::size_t(columns) * std::size_t(rows);
        if (!RunInParallel(count, encode, progress, QStringLiteral("Making the overview's tiles"), done, total))
            return false;
        done += qint64(count);
    }
    return true;
}
