// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/Mercator.h"

#include "core/Errors.h"

#include <cmath>
#include <limits>

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kDegToRad = kPi / 180.0L;
constexpr long double kPiOver4 = kPi / 4.0L;
// The north pole's angle in the tangent below, as these constants give it.
constexpr long double kHalfPi = 2.0L * kPiOver4;

double ToDouble(long double value)
{
    const double result = static_cast<double>(value);
    if (!std::isfinite(result))
        throw Errors::floatOverflow();
    return result;
}

}  // namespace

double MercatorX(double Lon)
{
    const long double x = static_cast<long double>(Lon) * kDegToRad * static_cast<long double>(EarthRadius);
    return ToDouble(x);
}

double MercatorY(double Lat)
{
    const long double angle = static_cast<long double>(Lat) * kDegToRad / 2.0L + kPiOver4;
    // At exactly 90° the angle is the constant's π/2, which lies a hair above
    // the true one; the pole itself still has a (huge) northing, so its
    // tangent is the last one on this side of the pole.
    const long double tangent =
        angle == kHalfPi ? std::tan(std::nextafter(kHalfPi, 0.0L)) : std::tan(angle);
    if (tangent == 0.0L)
        throw Errors::divisionByZero();
    if (!(tangent > 0.0L))
        throw Errors::invalidFloatOperation();
    return ToDouble(std::log(tangent) * static_cast<long double>(EarthRadius));
}

int32_t RoundPixel(long double value)
{
    // The program never leaves the default rounding mode: to nearest, an
    // exact half to even.
    const long double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<long double>(std::numeric_limits<int32_t>::min()) &&
          rounded <= static_cast<long double>(std::numeric_limits<int32_t>::max())))
        throw Errors::invalidFloatOperation();
    return static_cast<int32_t>(rounded);
}
