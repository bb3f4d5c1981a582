// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Nomenclature.h"
#include "model/gvars.h"

#include <array>

// Degrees to pixels of the index image: spherical Mercator, scaled linearly
// between the index map's corners (north-west first, then north-east,
// south-east, south-west; the image's width and height at pixel corners 2
// and 3). Throws TessError with the runtime's wording: the list's error for
// a missing corner, "Floating point overflow" for spans beyond a double,
// and the faults of the projection and of rounding.
class IndexProjection {
public:
    explicit IndexProjection(const TSingleMap& index);

    TPixel operator()(const TGeoPoint& point) const;

private:
    double yS_;
    double spanY_;
    double xW_;
    double spanX_;
    long double W_;
    long double H_;
};

// A standard cell's rectangle on the index image: its north-west and
// south-east corners projected, the other two taken from them, in the
// order north-west, north-east, south-east, south-west.
inline std::array<TPixel, 4> CellPixels(const IndexProjection& project, const SheetCell& cell)
{
    const TPixel nw = project({cell.north, cell.west});
    const TPixel se = project({cell.south, cell.east});
    return {nw, TPixel{se.X, nw.Y}, se, TPixel{nw.X, se.Y}};
}
