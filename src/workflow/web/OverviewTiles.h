// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SafeWrite.h"
#include "workflow/Progress.h"

#include <QImage>
#include <QSize>

#include <optional>
#include <vector>

inline constexpr int kTileSize = 256;
inline constexpr int kTileQuality = 85;

// The zoom level at which the overview is shown at its own pixels; at level
// 0 it fits in one tile, and each level between doubles the one before.
int TileMaxZoom(QSize overview);

// The pixels of level `zoom`'s picture: the overview halved (maxZoom - zoom)
// times, rounding up.
QSize TileLevelSize(QSize overview, int zoom);

// How many tiles MakeOverviewTiles makes of an overview of that size.
qint64 OverviewTileCount(QSize overview);

// The overview as a pyramid of 256 x 256 JPEG tiles at quality 85, named
// "Z/X/Y.jpg" (column X, row Y from the top-left), for every level from 0 to
// TileMaxZoom; the last column and row of a level are cut to its picture's
// edge. Encoded on every core; progress counts them of `total`, and
// nothing is made when it answered false.
std::optional<std::vector<FileReplacement>> MakeOverviewTiles(const QImage& overview, const ProgressFunction& progress,
                                                              qint64 total);
