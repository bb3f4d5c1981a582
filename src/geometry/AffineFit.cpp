// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/AffineFit.h"

#include <array>
#include <cmath>

namespace {

// Solves the symmetric 3×3 system M·u = r by Cramer's rule.
std::optional<std::array<double, 3>> Solve3(const double m[3][3], const double r[3])
{
    const auto det = [](const double k[3][3]) {
        return k[0][0] * (k[1][1] * k[2][2] - k[1][2] * k[2][1]) - k[0][1] * (k[1][0] * k[2][2] - k[1][2] * k[2][0]) +
               k[0][2] * (k[1][0] * k[2][1] - k[1][1] * k[2][0]);
    };
    const double full = det(m);
    // Relative to the matrix's scale, so that pixel counts of any size work.
    double norm = 0.0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            norm = std::max(norm, std::abs(m[i][j]));
    if (norm == 0.0 || std::abs(full) <= 1e-12 * norm * norm * norm)
        return std::nullopt;
    std::array<double, 3> u{};
    for (int col = 0; col < 3; ++col) {
        double k[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                k[i][j] = j == col ? r[i] : m[i][j];
        u[static_cast<std::size_t>(col)] = det(k) / full;
    }
    return u;
}

}  // namespace

std::optional<Affine> Affine::inverse() const
{
    const double det = a * e - b * d;
    if (det == 0.0 || !std::isfinite(det))
        return std::nullopt;
    Affine inv;
    inv.a = e / det;
    inv.b = -b / det;
    inv.d = -d / det;
    inv.e = a / det;
    inv.c = -(inv.a * c + inv.b * f);
    inv.f = -(inv.d * c + inv.e * f);
    return inv;
}

std::optional<Affine> FitAffine(std::span<const FitPair> pairs)
{
    if (pairs.size() < 2)
        return std::nullopt;
    if (pairs.size() == 2) {
        const FitPair& p = pairs[0];
        const FitPair& q = pairs[1];
        if (p.pixel.x == q.pixel.x || p.pixel.y == q.pixel.y)
            return std::nullopt;
        Affine t;
        t.a = (q.plane.x - p.plane.x) / (q.pixel.x - p.pixel.x);
        t.b = 0.0;
        t.c = p.plane.x - t.a * p.pixel.x;
        t.d = 0.0;
        t.e = (q.plane.y - p.plane.y) / (q.pixel.y - p.pixel.y);
        t.f = p.plane.y - t.e * p.pixel.y;
        return t;
    }
    // Centred on the pixels' mean so that the normal equations stay well
    // conditioned for images tens of thousands of pixels wide.
    double mx = 0.0, my = 0.0;
    for (const FitPair& p : pairs) {
        mx += p.pixel.x;
        my += p.pixel.y;
    }
    mx /= static_cast<double>(pairs.size());
    my /= static_cast<double>(pairs.size());
    double m[3][3] = {};
    double rx[3] = {}, ry[3] = {};
    for (const FitPair& p : pairs) {
        const double v[3] = {p.pixel.x - mx, p.pixel.y - my, 1.0};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j)
                m[i][j] += v[i] * v[j];
            rx[i] += v[i] * p.plane.x;
            ry[i] += v[i] * p.plane.y;
        }
    }
    const auto ux = Solve3(m, rx);
    const auto uy = Solve3(m, ry);
    if (!ux || !uy)
        return std::nullopt;
    Affine t;
    t.a = (*ux)[0];
    t.b = (*ux)[1];
    t.c = (*ux)[2] - t.a * mx - t.b * my;
    t.d = (*uy)[0];
    t.e = (*uy)[1];
    t.f = (*uy)[2] - t.d * mx - t.e * my;
    return t;
}
