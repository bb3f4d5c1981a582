// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Progress.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

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
// edge. Encoded on every core, each handed to `save` (on the thread that
// made it) as soon as it is made; progress counts them of `total`. False
// when progress answered false, which stops at the next tile.
using TileSaver = std::function<void(const QString& name, const QByteArray& jpeg)>;
bool MakeOverviewTiles(const QImage& overview, const ProgressFunction& progress, qint64 total, const TileSaver& save);
