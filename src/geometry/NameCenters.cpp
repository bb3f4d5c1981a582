// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/NameCenters.h"

#include "core/Errors.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

double Divide(double numerator, double divisor)
{
    if (divisor == 0.0)
        throw numerator == 0.0 || std::isnan(numerator) ? Errors::invalidFloatOperation() : Errors::divisionByZero();
    return numerator / divisor;
}

// Nearest integer, exact halves to the even one (the default rounding mode).
int32_t RoundToCoordinate(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
        throw Errors::invalidFloatOperation();
    return static_cast<int32_t>(rounded);
}

int64_t Product(int32_t a, int32_t b) { return int64_t{a} * int64_t{b}; }

}  // namespace

TPixel MeanCenter(std::span<const TPixel> corners)
{
    double sx = 0.0;
    double sy = 0.0;
    for (const TPixel& p : corners) {
        sx += p.X;
        sy += p.Y;
    }
    const auto n = static_cast<double>(corners.size());
    // Both coordinates are found before either is stored, so a failure
    // leaves the caller's centre as it was.
    const int32_t x = RoundToCoordinate(Divide(sx, n));
    const int32_t y = RoundToCoordinate(Divide(sy, n));
    return TPixel{x, y};
}

TPixel BarycenterCenter(std::span<const TPixel> corners)
{
    const std::size_t n = corners.size();

    // Edges (k, k+1) in order, then the closing edge (n-1, 0); none at all
    // when there are no corners, so nothing outside the list is read.
    const auto edge = [&](std::size_t k) { return std::pair{corners[k], corners[(k + 1) % n]}; };

    double area = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const auto [a, b] = edge(k);
        area += static_cast<double>(Product(a.X, b.Y));
        area -= static_cast<double>(Product(b.X, a.Y));
    }
    area /= 2.0;

    double sx = 0.0;
    double sy = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const auto [a, b] = edge(k);
        // |c| < 2^63: two products of 32-bit values never overflow 64 bits.
        const int64_t c = Product(a.X, b.Y) - Product(b.X, a.Y);
        sx += static_cast<double>(int64_t{a.X} + b.X) * static_cast<double>(c);
        sy += static_cast<double>(int64_t{a.Y} + b.Y) * static_cast<double>(c);
    }
    const int32_t x = RoundToCoordinate(Divide(sx, 6.0 * area));
    const int32_t y = RoundToCoordinate(Divide(sy, 6.0 * area));
    return TPixel{x, y};
}
