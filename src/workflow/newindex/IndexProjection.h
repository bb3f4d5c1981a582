// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gvars.h"

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
