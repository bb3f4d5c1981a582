// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/newindex/IndexMapFrame.h"
#include "workflow/Workspace.h"

#include <QString>

// FILE.jpg beside FILE.map.
QString IndexImagePath(const QString& mapFile);

// Draws the frame's picture and writes it as FILE.jpg (JPEG quality 90)
// with its calibration as `mapFile`: both are replaced, or neither.
void WriteIndexMap(const IndexMapFrame& frame, const QString& mapFile);

// "New…": reads the sheets of `mapsDir` as Analyze does and makes an index
// map that holds them all, written by WriteIndexMap. Neither file is
// overwritten unless `overwrite`. Refusals are logged and stop the step;
// the map records of `ws` stay as they are, and so does a file that cannot
// be written (its reason is logged). Throws TessError for a name that does
// not end in ".map".
StepOutcome MakeIndexMap(Workspace& ws, QString mapsDir, const QString& mapFile, int width, bool overwrite);
