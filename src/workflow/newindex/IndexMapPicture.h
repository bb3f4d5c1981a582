// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/newindex/IndexMapFrame.h"

#include <QImage>

#include <vector>

// The step between graticule lines, in degrees, for a span: the first
// round step that gives 4 to 12 lines across both spans, else the first
// that gives at most 12 across this one.
double GraticuleStep(double span, double otherSpan);

// A new index map's picture (Format_RGB32): a light background, the
// graticule labelled in degrees at the edges, and the 1:1,000,000 cells
// outlined faintly with their names, mapped as Calc points maps degrees.
QImage DrawIndexMapPicture(const IndexMapFrame& frame);
