// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// A point in degrees; the program always stores latitude and longitude.
struct TGeoPoint {
    double Lat = 0.0;
    double Lon = 0.0;
};

// Vertices in order; the last one joins the first without being repeated.
using TPolygon = std::vector<TGeoPoint>;

// A pixel position on an image (the index image, or a sheet's own for its
// border and size): X grows to the right, Y downwards.
struct TPixel {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPixel&, const TPixel&) = default;
};

// Where the ray from A through B (and on without end) meets the segment C-D:
// 0 parallel (or a zero-length segment), 2 when A lies on the segment,
// 1 when the ray meets it, -1 when it does not.
int RayCrossSegment(const TGeoPoint& A, const TGeoPoint& B, const TGeoPoint& C, const TGeoPoint& D);

// 1 inside, 0 outside, 2 on an edge (within 1e-4 of longitude).
int32_t PointInPolygon(const TGeoPoint& P, const TPolygon& Poly);
