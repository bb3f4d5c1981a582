// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/AffineFit.h"
#include "geometry/PolygonsMath.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// The one place that does datum and projection arithmetic, through PROJ.
// Each datum's transformation to WGS 84 and each projection is made once,
// on first use, and kept: PROJ picks the datum operation for each point's
// location, so one object serves every sheet. Works offline (the grids of
// Debian's proj-data, no network). Not copyable; one per workspace.
class ProjTransforms {
public:
    ProjTransforms();
    ~ProjTransforms();
    ProjTransforms(const ProjTransforms&) = delete;
    ProjTransforms& operator=(const ProjTransforms&) = delete;

    struct Ellipsoid {
        double a = 0.0;   // semi-major axis, metres
        double rf = 0.0;  // inverse flattening, 0 for a sphere
    };
    // The ellipsoid of the geographic CRS EPSG:code; nothing for a code
    // PROJ does not know.
    std::optional<Ellipsoid> ellipsoid(int epsg);

    // Handles to the cached objects, -1 when PROJ cannot make one.
    int datum(int epsg);                    // EPSG:code degrees to WGS 84 degrees
    int projection(const QString& proj);    // a PROJ string of a conversion

    std::optional<TGeoPoint> toWgs84(int datum, TGeoPoint p);
    std::optional<PlanePoint> forward(int projection, TGeoPoint p);
    // With `verify`, a point the forward projection does not give back is
    // off the globe (some inverses answer there without an error).
    std::optional<TGeoPoint> inverse(int projection, PlanePoint p, bool verify = true);
    // A transformation between two coordinate systems, each WKT, a PROJ
    // string or "EPSG:n", with easting or longitude first on both sides;
    // PROJ picks the datum operation for each point's place. -1 when PROJ
    // cannot make one.
    int transformation(const QByteArray& from, const QByteArray& to);
    std::optional<PlanePoint> transform(int transformation, PlanePoint p);
    // The geographic system of a system's datum, as WKT; empty for none.
    QByteArray geographicCrs(const QByteArray& crs);
    // Geodesic distance on the WGS 84 ellipsoid, metres.
    double distance(TGeoPoint p, TGeoPoint q);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// PROJ's own cleanup, at the end of a run, when a ProjTransforms loaded it.
void ReleaseProjLibrary();
