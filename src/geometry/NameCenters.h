// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/PolygonsMath.h"

#include <span>

// Where a sheet's name is centred, from its corner positions on the index
// image. Both round to the nearest integer, halves to the even neighbour.
// A zero divisor throws TessError: "Invalid floating point operation" for
// 0/0, "Floating point division by zero" for any other value over zero.
// A centre that does not fit a 32-bit coordinate throws the former too.

// The mean of the corners. No corners is 0/0.
TPixel MeanCenter(std::span<const TPixel> corners);

// The centroid of the area the closed corner polygon encloses. Coordinate
// products are exact 64-bit integers, so images past 46,340 pixels a side
// are computed as exactly as small ones. A polygon of zero signed area
// (fewer than three corners, all on one line, parts cancelling) has no
// centroid.
TPixel BarycenterCenter(std::span<const TPixel> corners);
