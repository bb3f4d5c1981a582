// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/ozi/MapCalibration.h"
#include "geometry/AffineFit.h"
#include "workflow/Workspace.h"
#include "workflow/calibration/ProjTransforms.h"

#include <QString>

#include <optional>
#include <vector>

struct PointResidual {
    QString name;
    double px = 0.0;  // distance between the point's pixel and the fit's
    double m = 0.0;   // the same on the ground
};

// A sheet's calibration worked out: its fit, its residuals and its outline
// in WGS 84 degrees.
struct SheetCalibration {
    QString failure;  // why it cannot be worked out; empty when it can
    int epsg = 0;
    bool latLon = false;  // the plane is longitude and latitude in degrees
    int datum = -1;       // handles of ProjTransforms
    int projection = -1;
    Affine fit;
    std::vector<PointResidual> residuals;
    double rmsPx = 0.0;
    TPolygon outline;       // the calibrated outline, WGS 84; empty when none
    QString outlineProblem; // why there is none, when the fit itself is fine
};

// The PROJ string of the file's projection on the datum's ellipsoid, or the
// reason there is none ("unknown projection ..."). `latLon` is set for
// Latitude/Longitude, whose plane is the degrees themselves.
struct ProjectionChoice {
    QString definition;
    bool latLon = false;
    QString error;
};
ProjectionChoice ProjectionDefinition(const MapCalibration& c, const ProjTransforms::Ellipsoid& ellipsoid);

// Works the calibration out: datum, projection, fit of the Point lines and,
// with `outline`, the outline (the MMPXY border, else the image's corners
// from IWH).
SheetCalibration CalibrateSheet(const MapCalibration& c, ProjTransforms& proj, bool outline = true);

// A pixel of the sheet's image on the ground, in the map's datum and in
// WGS 84; nothing where the projection has no point there (unchecked
// without `verify`, for pixels known to lie on the map).
std::optional<TGeoPoint> PixelInDatum(const SheetCalibration& s, ProjTransforms& proj, PlanePoint pixel,
                                      bool verify = true);
std::optional<TGeoPoint> PixelInWgs84(const SheetCalibration& s, ProjTransforms& proj, PlanePoint pixel);

// The workspace's PROJ objects, made on first use.
ProjTransforms& WorkspaceProj(Workspace& ws);
