// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SafeWrite.h"
#include "workflow/newindex/IndexMapFrame.h"
#include "workflow/Progress.h"
#include "workflow/Workspace.h"

#include <QString>

#include <vector>

// FILE.jpg beside FILE.map.
QString IndexImagePath(const QString& mapFile);

// The frame's picture as FILE.jpg (JPEG quality 90) and its calibration as
// `mapFile`, ready to be written together.
std::vector<FileReplacement> IndexMapFiles(const IndexMapFrame& frame, const QString& mapFile);

// "New…": reads the sheets of `mapsDir` as Analyze does and makes an index
// map that holds them all, its two files replaced together or not at all.
// Neither file is overwritten unless `overwrite`. Refusals, and a file that
// cannot be written, are logged and stop the step; the map records of `ws`
// stay as they are. Throws TessError for a name that does not end in ".map"
// and for a picture too large for the memory. `progress` hears of each
// stage (the sheets read, the picture drawn and encoded); an answer of
// false stops the step there with nothing written.
StepOutcome MakeIndexMap(Workspace& ws, QString mapsDir, const QString& mapFile, int width, bool overwrite,
                         const ProgressFunction& progress = {});
