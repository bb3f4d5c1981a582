#pragma once

#include "workflow/IndexMapFrame.h"
#include "workflow/Workspace.h"

#include <QString>

// FILE.jpg beside FILE.map.
QString IndexImagePath(const QString& mapFile);

// "New…": reads the sheets of `mapsDir` as Analyze does and makes an index
// map that holds them all: the picture as FILE.jpg (JPEG quality 90) and its
// calibration as `mapFile`, each replaced in one step. Neither file is
// overwritten unless `overwrite`. Refusals are logged and stop the step;
// the map records of `ws` stay as they are. Throws TessError for a name
// that does not end in ".map" and for a file that cannot be written.
StepOutcome MakeIndexMap(Workspace& ws, QString mapsDir, const QString& mapFile, int width, bool overwrite);
