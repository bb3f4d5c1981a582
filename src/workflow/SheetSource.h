// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/gdal/RasterFile.h"
#include "formats/ozi/MapCalibration.h"

#include <QString>

#include <optional>

// Where a sheet's outline came from: its MMPLL lines, its Point lines
// through its datum and projection, or, for a georeferenced image, its
// neatline, the standard sheet its name names, or its four corners.
enum class OutlineSource { Mmpll, Calibration, Neatline, Nomenclature, Footprint };

// The word the exported files give each source.
QString OutlineSourceKeyword(OutlineSource source);

// What a sheet's reader found besides its record in MapData: how the sheet
// is georeferenced, for Check calibrations, and where its outline came from.
struct SheetSource {
    QString format = QStringLiteral("OziExplorer");  // else the GDAL driver's short name
    OutlineSource outline = OutlineSource::Mmpll;
    MapCalibration calibration;        // a calibration file's Point lines, datum and projection
    std::optional<RasterFile> raster;  // an image's own georeferencing
};
