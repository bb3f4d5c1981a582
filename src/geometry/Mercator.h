// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Spherical Mercator on a sphere of radius EarthRadius, in metres. Both
// functions work at extended precision and round the result to double.
// Arithmetic faults throw TessError with the runtime's wording.

inline constexpr float EarthRadius = 6378137.0f;  // exact in single precision

// The easting of a longitude in degrees: Lon × (π/180) × EarthRadius.
// Throws "Floating point overflow" when the result does not fit a double.
double MercatorX(double Lon);

// The northing of a latitude in degrees: ln(tan(Lat × (π/180) / 2 + π/4)) ×
// EarthRadius. A tangent of exactly zero (at −90°) throws "Floating point
// division by zero", a negative one (beyond either pole) "Invalid floating
// point operation".
double MercatorY(double Lat);

// A pixel position to the nearest integer, an exact half to the even
// neighbour. A value that no 32-bit position can hold throws "Invalid
// floating point operation": a clamped position would draw in the wrong
// place without a word.
int32_t RoundPixel(long double value);
