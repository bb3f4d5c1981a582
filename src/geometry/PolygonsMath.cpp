// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/PolygonsMath.h"

#include <cmath>

namespace {
// Both tolerances decide which sheets near the index map's border pass, so
// they are part of the behaviour, not a numerical nicety.
constexpr double kParallelTolerance = 1e-6;
constexpr double kOnSegmentTolerance = 1e-6;
constexpr double kRayLength = 100.0;
}  // namespace

int RayCrossSegment(const TGeoPoint& A, const TGeoPoint& B, const TGeoPoint& C, const TGeoPoint& D)
{
    // Each named value is rounded to a double: results near the tolerances
    // depend on it.
    const double den = (A.Lon - B.Lon) * (D.Lat - C.Lat) - (A.Lat - B.Lat) * (D.Lon - C.Lon);
    const double n1 = (A.Lon - C.Lon) * (D.Lat - C.Lat) - (A.Lat - C.Lat) * (D.Lon - C.Lon);
    const double n2 = (A.Lon - B.Lon) * (A.Lat - C.Lat) - (A.Lat - B.Lat) * (A.Lon - C.Lon);
    if (std::fabs(den) < kParallelTolerance)
        return 0;
    const double t = n1 / den;
    const double s = n2 / den;
    if (std::fabs(t) < kOnSegmentTolerance && s >= 0.0 && s <= 1.0)
        return 2;
    if (t < 0.0 || s < 0.0 || s > 1.0)
        return -1;
    return 1;
}

int32_t PointInPolygon(const TGeoPoint& P, const TPolygon& Poly)
{
    const TGeoPoint Q{P.Lat, P.Lon + kRayLength};
    int32_t parity = 0;
    const std::size_t n = Poly.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1 == n) ? 0 : i + 1;
        const int r = RayCrossSegment(P, Q, Poly[i], Poly[j]);
        if (r == 2)
            return 2;
        if (r == 1)
            parity = 1 - parity;
    }
    return parity;
}
