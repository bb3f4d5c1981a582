// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/PolygonsMath.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// One PointNN line: where it is in the image and where on the ground, in
// degrees of the map's datum or in the projection's grid.
struct CalibrationPoint {
    QString name;  // "Point05"
    double x = 0.0;
    double y = 0.0;
    std::optional<TGeoPoint> degrees;
    bool hasGrid = false;
    double easting = 0.0;
    double northing = 0.0;
    int zone = 0;  // 0 when the line gives none
    bool south = false;
};

// The "Projection Setup" values in file order; absent where a field is blank.
enum SetupField { kLatOrigin, kLonOrigin, kScale, kFalseEasting, kFalseNorthing, kParallel1, kParallel2 };
using ProjectionSetup = std::array<std::optional<double>, 7>;

// Everything a sheet's file says about where it lies.
struct MapCalibration {
    QString datum;       // line 4's first field, trimmed
    QString projection;  // the Map Projection line's second field, trimmed
    ProjectionSetup setup;
    std::vector<CalibrationPoint> points;  // filled points only, in file order
    std::vector<TPixel> border;            // MMPXY, when MMPNUM >= 3 and every line reads
    TPolygon borderLatLon;                 // MMPLL, when it is there and every line reads
    std::optional<TPixel> imageSize;       // IWH width and height
};

// Reads the calibration from a file's decoded lines. Never throws: what
// cannot be read is left out, and the sheet's check says what is missing.
MapCalibration ReadMapCalibration(const QStringList& lines);
