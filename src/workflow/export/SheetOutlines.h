// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SheetIndex.h"
#include "model/gvars.h"

#include <QString>

#include <optional>
#include <vector>

// `indexMapFile` is the calibration file the analysis read.
SheetIndex CollectSheetIndex(const MapData& data, const QString& indexMapFile);

// An outline as polygons within ±180° of longitude: the corners in their
// order, unwrapped across the antimeridian, reversed when they run
// clockwise, closed, and cut at 180° where they cross it.
std::vector<Ring> OutlinePolygons(const TPolygon& corners);
