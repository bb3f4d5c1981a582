// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Progress.h"
#include "workflow/Workspace.h"

#include <QString>

#include <optional>

// The georeferenced images of `mapsDir` (ending in '/') read after its
// calibration files, as sheets numbered on from `fileCount`: each a block
// in the log as a calibration file's, its problems findings of that sheet.
// Images a calibration of the folder names belong to that calibration.
// Returns the new count of sheets, or nothing when progress answered false
// (the images read are then left out).
std::optional<std::size_t> ReadRasterSheets(Workspace& ws, const QString& mapsDir, std::size_t fileCount,
                                            const ProgressFunction& progress);
