// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Progress.h"
#include "workflow/Workspace.h"

#include <QString>

#include <optional>

// Checks the index map's calibration file, reads every sheet of the maps
// directory into the map records and reports each finding in the log.
// `mapsDir` gets a trailing '/' when it has no separator at its end, as the
// window's box shows. Throws TessError where a file cannot be read as a
// calibration file at all; what was done until then stays. Reading the
// georeferenced images reports to `progress`; when it answers false, no
// sheet is kept and Analyze stays enabled.
StepOutcome Analyze(Workspace& ws, QString& mapsDir, const QString& indexMapFile,
                    const ProgressFunction& progress = {});

// The sheets of `mapsDir` read into ws.data.Maps and logged as Analyze does
// it, each tested against ws.data.IndexMap's corners; how many files there
// were, or nothing when progress cancelled the georeferenced images.
// `mapsDir` gets its trailing '/'.
std::optional<std::size_t> ReadMapsDirectory(Workspace& ws, QString& mapsDir, const ProgressFunction& progress = {});

// Logs a sheet's first `count` corners, tests each against the index map
// and closes the sheet's block with "...is ok" when it is usable.
void PlaceSheet(Workspace& ws, TSingleMap& sheet, int32_t count);
