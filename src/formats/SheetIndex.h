// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <vector>

// The sheet index as vector features, the same for every format written:
// the index map first, then every analysed sheet in the analysis order.

struct LonLat {
    double lon = 0.0;
    double lat = 0.0;
};
// Counter-clockwise, the first position repeated last.
using Ring = std::vector<LonLat>;

// Missing: a standard sheet the collection lacks, in a published index.
enum class FeatureKind { Index, Sheet, Missing };

// The kind as the files write it.
QString FeatureKindText(FeatureKind kind);

// The fields an OpenIndexMaps viewer reads, for an index published on the
// web; a plain export has none.
struct OpenIndexFields {
    QString label;
    bool available = false;
    QString title;
    QString downloadUrl;
    QString thumbUrl;  // a small picture of the sheet, when one was made
    QString recordIdentifier;
    QString note;
};

struct OutlineFeature {
    QString file;
    FeatureKind kind = FeatureKind::Sheet;
    // The rest belong to sheets.
    QString name;
    QString image;
    bool usable = false;
    QString problem;       // the problem's words; empty for a usable sheet
    QString nomenclature;  // empty when no standard sheet was recognised
    int scale = 0;
    QString outline;      // where the outline came from; empty when a calibration's corners were not chosen
    QString format;       // the reader's format, when georeferenced images were read
    QString calibration;  // the calibration check's verdict; empty when it did not run
    std::optional<double> calibrationM;  // its distance in metres, when it measured one
    // One ring per polygon: two or more for an outline cut at 180°; none
    // when its corners were not all read.
    std::vector<Ring> polygons;
    std::optional<OpenIndexFields> openIndex;
};

struct SheetIndex {
    std::vector<OutlineFeature> features;
    // Of every position written; absent when no feature has a geometry.
    std::optional<LonLat> southWest;
    std::optional<LonLat> northEast;
};

// A degree value with at most 7 decimals and no trailing zeros.
QString FormatDegrees(double value);
// The same value as a double that prints that way.
double RoundDegrees(double value);
