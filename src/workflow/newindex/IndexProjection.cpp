// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/newindex/IndexProjection.h"

#include "geometry/Mercator.h"
#include "core/Errors.h"

#include <cmath>

namespace {

// Element `at`, or the list's own error when the index map lacks it.
template <typename T>
const T& IndexCorner(const std::vector<T>& corners, std::size_t at)
{
    if (at >= corners.size())
        throw Errors::listIndexOutOfBounds(static_cast<qint64>(at));
    return corners[at];
}

// numerator / denominator, with the faults a floating-point unit reports.
long double Divide(long double numerator, long double denominator)
{
    if (denominator == 0.0L) {
        if (numerator == 0.0L)
            throw Errors::invalidFloatOperation();
        throw Errors::divisionByZero();
    }
    return numerator / denominator;
}

}  // namespace

IndexProjection::IndexProjection(const TSingleMap& index)
{
    yS_ = MercatorY(IndexCorner(index.LatLon, 3).Lat);
    const double yN = MercatorY(IndexCorner(index.LatLon, 0).Lat);
    spanY_ = yN - yS_;
    xW_ = MercatorX(IndexCorner(index.LatLon, 0).Lon);
    const double xE = MercatorX(IndexCorner(index.LatLon, 1).Lon);
    spanX_ = xE - xW_;
    if (!std::isfinite(spanX_) || !std::isfinite(spanY_))
        throw Errors::floatOverflow();
    W_ = IndexCorner(index.Pixels, 1).X;
    H_ = IndexCorner(index.Pixels, 2).Y;
}

TPixel IndexProjection::operator()(const TGeoPoint& point) const
{
    const double y = MercatorY(point.Lat);
    const double x = MercatorX(point.Lon);
    // Evaluated at extended precision, grouped as the formulas read.
    const int32_t X = RoundPixel(Divide((x - static_cast<long double>(xW_)) * W_, spanX_));
    const int32_t Y = RoundPixel(H_ - Divide((y - static_cast<long double>(yS_)) * H_, spanY_));
    return TPixel{X, Y};
}
