// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/gdal/RasterFile.h"

#include <QString>

#include <variant>

// The GDAL reader lives in a module loaded on first use, so that a run that
// reads no georeferenced image never pays for loading GDAL. Either the
// reader or the reason it could not be loaded.
std::variant<ReadRasterFunction, QString> RasterReader();
// The module's thumbnail reader, the same way.
std::variant<ReadThumbnailFunction, QString> ThumbnailReader();

// The candidates of `names` (the folder listed once): every file that is not
// a calibration, not a sidecar and not one of `claimed` (images that a
// calibration of the folder names), letter case ignored, with the names
// that share its stem.
std::vector<RasterCandidate> RasterCandidates(const QStringList& names, const QStringList& claimed);
