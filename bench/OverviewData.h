// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the generated overview of one size lives, shared by the generator
// and the benchmark.

#include <QString>

namespace overview {

inline QString JpegFile(const QString& dir) { return dir + "/overview.jpg"; }
inline QString PpmFile(const QString& dir) { return dir + "/overview.ppm"; }
inline QString IndexFile(const QString& dir) { return dir + "/index.map"; }
inline QString MapsDir(const QString& dir) { return dir + "/maps"; }

// The index map's corners in degrees.
constexpr double kNorth = 60, kSouth = 50, kWest = 30, kEast = 40;

}  // namespace overview
