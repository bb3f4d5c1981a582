// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/AffineFit.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// What the GDAL reader hands over about one georeferenced image, in plain
// types: nothing past this point needs GDAL's headers or its library.

struct RasterGcp {
    QString id;
    PlanePoint pixel;  // column and row
    PlanePoint plane;  // in the raster's coordinate system
};

// A file of the folder to open, with the names that share its stem: its
// worldfile, .prj and .aux.xml, which GDAL then finds without listing the
// folder again.
struct RasterCandidate {
    QString name;
    QStringList siblings;
};

struct RasterFile {
    QString name;
    bool readable = false;
    QString detail;  // GDAL's message when it could not be read
    QString driver;  // the GDAL driver's short name: GTiff, PDF, BSB, JPEG...
    QString title;   // the file's own title, when its metadata gives one
    int width = 0;
    int height = 0;
    // Pixel corner to plane, GDAL's six coefficients; absent without one.
    std::optional<std::array<double, 6>> geoTransform;
    std::vector<RasterGcp> gcps;
    QByteArray crsWkt;  // empty when neither the file nor its .prj gives one
    QString crsName;
    std::vector<PlanePoint> neatline;  // in the raster's coordinate system
};

// The module's entry point, resolved by name at run time: reads one
// candidate's header into `out` when GDAL opens it as a raster, or when it
// cannot open it but a raster driver claims its extension; `out` stays
// empty for any other file. Safe to call from many threads at once.
using ReadRasterFunction = void (*)(const QString& dir, const RasterCandidate& candidate, std::optional<RasterFile>& out);
inline constexpr char kReadRasterSymbol[] = "TessarineReadRaster";

// A small picture of an image, as the module's second entry point makes it:
// pixels 0xffRRGGBB row by row, or the reason there is none.
struct RasterThumbnail {
    int width = 0;
    int height = 0;
    std::vector<quint32> pixels;
    QString error;
};

// Reads the image at `path` at most `side` pixels on its longer side,
// through its overviews where it has them, else by a decimated read.
using ReadThumbnailFunction = void (*)(const QString& path, int side, RasterThumbnail& out);
inline constexpr char kReadThumbnailSymbol[] = "TessarineReadThumbnail";
