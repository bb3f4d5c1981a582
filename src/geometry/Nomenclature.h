// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/PolygonsMath.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

// One cell of the Soviet/Russian topographic sheet nomenclature: the scale's
// denominator, the name as the sheets print it, and its rectangle in degrees.
// North of 60° (and south of 60° S) the sheets that are published joined
// along the parallel make one cell: "P-35,36", "T-45-I,II,III".
struct SheetCell {
    int scale = 0;  // 1000000, 500000, 200000, 100000, 50000, 25000 or 10000
    QString name;
    double south = 0.0;
    double north = 0.0;
    double west = 0.0;
    double east = 0.0;
};

// The latitude/longitude box of corners; all zero for none.
struct LatLonBox {
    double south = 0.0;
    double north = 0.0;
    double west = 0.0;
    double east = 0.0;
};
LatLonBox BoundingBox(const TPolygon& corners);

// A cell's four corners from the north-west, clockwise.
TPolygon CellCorners(const SheetCell& cell);

// The seven scales, most general first.
std::span<const int> SheetScales();
bool IsSheetScale(int scale);

// The cell whose outline the corners are: every edge of the corners' bounding
// box within a tenth of the cell's side of the cell's edge (sheets are
// calibrated by hand, in another datum than the one they were drawn on).
std::optional<SheetCell> RecogniseSheet(const TPolygon& corners);

// The scale most of the recognised cells have; of two as common, the more
// detailed one. 0 when none is recognised.
int MostCommonScale(std::span<const std::optional<SheetCell>> cells);

// The cells of `scale` that lie within the box, edges included, listed north
// to south, then west to east. An unknown scale has none.
std::vector<SheetCell> CellsInside(int scale, double south, double north, double west, double east);

// A name as a user may type it: any case, Latin letters for the Cyrillic
// ones, numbers with or without leading zeros, "S" or "x" for the south.
// Either the cell (with its name in the printed form) or a message that
// names the part that is wrong.
struct SheetNameReading {
    std::optional<SheetCell> cell;
    QString error;
};
SheetNameReading ReadSheetName(const QString& name);

// "1:100 000" for 100000, as the log and the scale list write it.
QString ScaleText(int scale);
