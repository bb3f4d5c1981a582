// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/newindex/IndexMapFrame.h"

#include <QImage>

#include <vector>

// The step between graticule lines, in degrees, for a span: the first
// round step that gives 4 to 12 lines across both spans, else the first
// that gives at most 12 across this one.
double GraticuleStep(double span, double otherSpan);

// The steps between graticule lines of latitude and of longitude, in
// degrees. Where the frame knows its sheets' cell size, whole multiples of
// it, so that every line runs along sheet edges: the first of the cell, its
// double and triple, and the round steps it divides, that gives 4 to 12
// lines across the span; else GraticuleStep.
struct GraticuleSpacing {
    double lat = 0.0;
    double lon = 0.0;
};
GraticuleSpacing GraticuleSteps(const IndexMapFrame& frame);

// The picture's colours: its background, the graticule's lines (a hue no
// colour of the border list has) and the 1:1,000,000 cells' outlines.
inline constexpr QRgb kIndexBackground = 0xfff4f1e8;
inline constexpr QRgb kGraticuleColor = 0xffb4885c;
inline constexpr QRgb kCellLineColor = 0xffe6d7c6;

// A new index map's picture (Format_RGB32): a light background, the
// graticule labelled in degrees (and minutes) at the edges, and the 1:1,000,000 cells
// outlined faintly with their names (no taller than a tenth of a cell, and
// fainter and at most twice as large as the sheets' names will be drawn),
// mapped as Calc points maps degrees.
QImage DrawIndexMapPicture(const IndexMapFrame& frame);
