// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gvars.h"

#include <QString>

#include <optional>
#include <vector>

// The largest side of a new index map, in pixels, as JPEG allows it.
inline constexpr int kMaxIndexMapSide = 65500;
inline constexpr int kDefaultIndexMapWidth = 4000;
inline constexpr int kMinIndexMapWidth = 100;

// What a new index map shows: a latitude/longitude rectangle and the image's
// size, whose height follows from the width through the projection.
struct IndexMapFrame {
    double north = 0.0;
    double south = 0.0;
    double west = 0.0;
    double east = 0.0;
    int width = 0;
    int height = 0;
    // The size in degrees of the standard cell most sheets are, the widest
    // where cells are joined; 0 when no sheet is a standard one.
    double cellHeight = 0.0;
    double cellWidth = 0.0;
};

// Either the frame or the log line that says why there can be none.
struct IndexMapPlan {
    std::optional<IndexMapFrame> frame;
    QString refusal;
};

// The box of the corners of every sheet whose corners the analysis read,
// with a twentieth of its span (at least a thousandth of a degree) added on
// each side and rounded outwards to a millionth of a degree, and the cell
// size of the scale most of those sheets are at. Refused: no such sheet, a
// box beyond ±85° of latitude or ±180° of longitude or wider than 180°, a
// side beyond kMaxIndexMapSide pixels.
IndexMapPlan PlanIndexMap(const std::vector<TSingleMap>& sheets, int width);

// The frame as the index map's record: corners north-west, north-east,
// south-east, south-west, in degrees and at the image's corners.
TSingleMap FrameRecord(const IndexMapFrame& frame);
