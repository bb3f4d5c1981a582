// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/newindex/IndexMapFrame.h"

#include "geometry/Mercator.h"
#include "geometry/Nomenclature.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMaxLatitude = 85.0;
constexpr double kStep = 1e6;  // per degree: the box's edges are whole millionths
// A corner closer than this to the border counts as on it, not inside, so
// the margin of a tiny sheet is never less.
constexpr double kMinMargin = 1e-3;

IndexMapPlan Refuse(const QString& why) { return IndexMapPlan{std::nullopt, why}; }

// Graticule lines at whole multiples of this size run along sheet edges.
void TakeCellSize(IndexMapFrame& f, const std::vector<TSingleMap>& sheets)
{
    std::vector<std::optional<SheetCell>> cells;
    for (const TSingleMap& sheet : sheets)
        cells.push_back(StandardSheetOf(sheet));
    const int scale = MostCommonScale(cells);
    for (const auto& cell : cells) {
        if (cell && cell->scale == scale) {
            f.cellHeight = std::max(f.cellHeight, cell->north - cell->south);
            f.cellWidth = std::max(f.cellWidth, cell->east - cell->west);
        }
    }
}

}  // namespace

IndexMapPlan PlanIndexMap(const std::vector<TSingleMap>& sheets, int width)
{
    TPolygon corners;
    for (const TSingleMap& sheet : sheets) {
        if (CornersRead(sheet))
            corners.insert(corners.end(), sheet.LatLon.begin(), sheet.LatLon.end());
    }
    if (corners.empty())
        return Refuse(QStringLiteral("No map file has good MMPLL corners - index map not made"));
    const LatLonBox box = BoundingBox(corners);
    const double marginLat = std::max((box.north - box.south) / 20.0, kMinMargin);
    const double marginLon = std::max((box.east - box.west) / 20.0, kMinMargin);
    IndexMapFrame f;
    f.north = std::ceil((box.north + marginLat) * kStep) / kStep;
    f.south = std::floor((box.south - marginLat) * kStep) / kStep;
    f.west = std::floor((box.west - marginLon) * kStep) / kStep;
    f.east = std::ceil((box.east + marginLon) * kStep) / kStep;
    if (!(f.north <= kMaxLatitude && f.south >= -kMaxLatitude))
        return Refuse(QStringLiteral("The sheets with their margin reach beyond 85° of latitude - index map not made"));
    if (!(f.west >= -180.0 && f.east <= 180.0))
        return Refuse(QStringLiteral("The sheets with their margin reach beyond 180° of longitude - index map not made"));
    if (f.east - f.west > 180.0)
        return Refuse(QStringLiteral("The sheets with their margin span more than 180° of longitude - index map not made"));

    const double spanX = MercatorX(f.east) - MercatorX(f.west);
    const double spanY = MercatorY(f.north) - MercatorY(f.south);
    const double height = std::round(width * spanY / spanX);
    if (width < 1 || width > kMaxIndexMapSide || height < 1 || height > kMaxIndexMapSide) {
        return Refuse(QStringLiteral("The index map would be %1 x %2 pixels, beyond 1 to %3 - index map not made")
                          .arg(width)
                          .arg(height, 0, 'f', 0)
                          .arg(kMaxIndexMapSide));
    }
    f.width = width;
    f.height = static_cast<int>(height);
    TakeCellSize(f, sheets);
    return IndexMapPlan{f, QString()};
}

TSingleMap FrameRecord(const IndexMapFrame& f)
{
    TSingleMap index;
    index.IsOk = true;
    index.LatLon = {{f.north, f.west}, {f.north, f.east}, {f.south, f.east}, {f.south, f.west}};
    index.Pixels = {{0, 0}, {f.width, 0}, {f.width, f.height}, {0, f.height}};
    return index;
}
