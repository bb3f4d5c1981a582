// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gvars.h"
#include "workflow/Workspace.h"

#include <QStringList>

#include <cstddef>
#include <vector>

// Which usable sheets' outlines on the index image hold a point, found
// through a grid of buckets over the outlines' bounding boxes, so that a
// pointer over 20,000 sheets tests a handful of them.
class SheetHits {
public:
    explicit SheetHits(const std::vector<TSingleMap>& maps);

    // Indexes into Maps of the sheets whose outline holds the image point
    // (x, y), the topmost (drawn last) first.
    std::vector<std::size_t> at(double x, double y) const;

private:
    struct Outline {
        std::size_t sheet;
        int left, top, right, bottom;
        std::vector<TPixel> corners;
    };
    std::vector<Outline> outlines_;
    int left_ = 0, top_ = 0;
    int cellSize_ = 1;
    int columns_ = 0, rows_ = 0;
    std::vector<std::vector<std::size_t>> cells_;  // outline indexes, ascending
};

// Tells outlines apart cheaply: changes whenever a sheet gains, loses or
// moves its outline, so a SheetHits made earlier can be kept until then.
std::size_t OutlinesKey(const std::vector<TSingleMap>& maps);

// What the window says of the sheets under the pointer: per sheet its name
// from `nameSource` (or its map name), its nomenclature and scale where
// recognised, and its .map file, one line each.
QStringList DescribeSheets(const MapData& data, const std::vector<std::size_t>& sheets, int nameSource);

// The image file of sheet `sheet` of Maps, looked for beside its .map file
// in `mapsDir` as Load image looks for the overview's; when there is none
// the log says so and the result is empty.
QString FindSheetImage(Workspace& ws, const QString& mapsDir, std::size_t sheet);
