// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>

struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
};

// X = a·x + b·y + c, Y = d·x + e·y + f: image pixels to a projection's plane.
struct Affine {
    double a = 1.0, b = 0.0, c = 0.0;
    double d = 0.0, e = 1.0, f = 0.0;

    PlanePoint apply(PlanePoint p) const { return {a * p.x + b * p.y + c, d * p.x + e * p.y + f}; }
    // The plane back to pixels; nothing when the transform is singular.
    std::optional<Affine> inverse() const;
};

struct FitPair {
    PlanePoint pixel;
    PlanePoint plane;
};

// Two pairs give a scale and an offset per axis (the image's rows run along
// the plane's x); three or more the least-squares affine transform. Nothing
// when the pairs do not fix one: fewer than two, two that share a row or a
// column, or three or more along one line.
std::optional<Affine> FitAffine(std::span<const FitPair> pairs);
