// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/SheetHits.h"

#include "geometry/Nomenclature.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/panel/LoadImage.h"

#include <QDir>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Even-odd crossings of a ray to the right; a point on an edge may go
// either way, as a pixel on a drawn border does.
bool Contains(const std::vector<TPixel>& polygon, double x, double y)
{
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const double xi = polygon[i].X, yi = polygon[i].Y, xj = polygon[j].X, yj = polygon[j].Y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

}  // namespace

SheetHits::SheetHits(const std::vector<TSingleMap>& maps)
{
    int right = INT_MIN, bottom = INT_MIN;
    left_ = INT_MAX;
    top_ = INT_MAX;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const TSingleMap& sheet = maps[i];
        if (!sheet.IsOk || sheet.Pixels.size() < 3)
            continue;
        Outline o{i, INT_MAX, INT_MAX, INT_MIN, INT_MIN, sheet.Pixels};
        for (const TPixel& p : sheet.Pixels) {
            o.left = std::min(o.left, p.X);
            o.top = std::min(o.top, p.Y);
            o.right = std::max(o.right, p.X);
            o.bottom = std::max(o.bottom, p.Y);
        }
        left_ = std::min(left_, o.left);
        top_ = std::min(top_, o.top);
        right = std::max(right, o.right);
        bottom = std::max(bottom, o.bottom);
        outlines_.push_back(std::move(o));
    }
    if (outlines_.empty())
        return;
    // About one bucket per outline, square, at most 512 a side.
    const double width = double(right) - left_ + 1, height = double(bottom) - top_ + 1;
    const double side = std::max({1.0, std::sqrt(width * height / double(outlines_.size())),
                                  std::max(width, height) / 512.0});
    cellSize_ = static_cast<int>(std::min(std::ceil(side), double(INT_MAX)));
    columns_ = static_cast<int>((width - 1) / cellSize_) + 1;
    rows_ = static_cast<int>((height - 1) / cellSize_) + 1;
    cells_.resize(std::size_t(columns_) * std::size_t(rows_));
    for (std::size_t k = 0; k < outlines_.size(); ++k) {
        const Outline& o = outlines_[k];
        const int c0 = int((int64_t(o.left) - left_) / cellSize_), c1 = int((int64_t(o.right) - left_) / cellSize_);
        const int r0 = int((int64_t(o.top) - top_) / cellSize_), r1 = int((int64_t(o.bottom) - top_) / cellSize_);
        for (int r = r0; r <= r1; ++r) {
            for (int c = c0; c <= c1; ++c)
                cells_[std::size_t(r) * std::size_t(columns_) + std::size_t(c)].push_back(k);
        }
    }
}

std::vector<std::size_t> SheetHits::at(double x, double y) const
{
    std::vector<std::size_t> found;
    if (outlines_.empty() || x < left_ || y < top_)
        return found;
    const double c = std::floor((x - left_) / cellSize_), r = std::floor((y - top_) / cellSize_);
    if (c >= columns_ || r >= rows_)
        return found;
    const auto& bucket = cells_[std::size_t(r) * std::size_t(columns_) + std::size_t(c)];
    for (auto k = bucket.rbegin(); k != bucket.rend(); ++k) {
        const Outline& o = outlines_[*k];
        if (x >= o.left && x <= o.right && y >= o.top && y <= o.bottom && Contains(o.corners, x, y))
            found.push_back(o.sheet);
    }
    return found;
}

std::size_t OutlinesKey(const std::vector<TSingleMap>& maps)
{
    std::size_t key = maps.size();
    const auto mix = [&key](std::size_t v) { key = (key ^ v) * 0x100000001b3ULL; };
    for (const TSingleMap& sheet : maps) {
        mix(sheet.IsOk ? sheet.Pixels.size() : 0);
        if (!sheet.IsOk)
            continue;
        for (const TPixel& p : sheet.Pixels) {  // any corner may move, e.g. with the corners taken elsewhere
            mix(static_cast<uint32_t>(p.X));
            mix(static_cast<uint32_t>(p.Y));
        }
    }
    return key;
}

QStringList DescribeSheets(const MapData& data, const std::vector<std::size_t>& sheets, int nameSource)
{
    QStringList lines;
    for (std::size_t i : sheets) {
        const TSingleMap& sheet = data.Maps[i];
        QString name = nameSource == kNoNameSource ? QString() : NameText(data, i, nameSource);
        if (name.isEmpty())
            name = sheet.MapName;
        QString line = name;
        if (const auto cell = StandardSheetOf(sheet))
            line += QStringLiteral(" — %1, %2").arg(cell->name, ScaleText(cell->scale));
        lines.append(line + QStringLiteral(" — ") + sheet.FileName);
    }
    return lines;
}

QString FindSheetImage(Workspace& ws, const QString& mapsDir, std::size_t sheet)
{
    const TSingleMap& map = ws.data.Maps.at(sheet);
    const QString path = map.ImageFile.isEmpty() ? QString()
                                                 : ResolveImagePath(map.ImageFile, QDir(mapsDir).filePath(map.FileName));
    if (path.isEmpty())
        ws.log.append(QStringLiteral("...image of %1 not found: %2").arg(map.FileName, map.ImageFile));
    return path;
}
