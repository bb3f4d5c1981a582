// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/gdal/RasterFile.h"
#include "geometry/Nomenclature.h"
#include "model/gvars.h"
#include "workflow/SheetSource.h"

#include <QString>

#include <optional>

class ProjTransforms;

// Pixel to the raster's plane: its transform, else the fit of its ground
// control points (scale and offset for two, least squares for more).
std::optional<Affine> RasterPixelToPlane(const RasterFile& raster);

// A georeferenced image's outline in WGS 84 degrees, from its neatline, the
// standard sheet its name names, or its four corners, in that order.
struct RasterOutline {
    SheetProblem problem = SheetProblem::None;
    QString detail;  // what lies behind the problem, for the log
    OutlineSource source = OutlineSource::Footprint;
    TPolygon corners;
};
RasterOutline OutlineRaster(const RasterFile& raster, ProjTransforms& proj);

// The standard sheet the file name, else the title, names, and the image's
// corners in degrees of its own datum: what the name is checked against.
struct NamedFootprint {
    std::optional<SheetCell> cell;
    TPolygon footprint;  // empty when the corners have no place in the datum
};
NamedFootprint NamedSheetFootprint(const RasterFile& raster, ProjTransforms& proj);

// Whether the named cell lies within the footprint (edges included), and
// whether it does so with a collar no wider than a tenth of the cell.
bool CellInsideFootprint(const SheetCell& cell, const TPolygon& footprint);
bool CellFitsFootprint(const SheetCell& cell, const TPolygon& footprint);
