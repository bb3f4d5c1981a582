// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Nomenclature.h"
#include "geometry/PolygonsMath.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// Why a sheet is not usable; the first reason found counts.
enum class SheetProblem {
    None,
    NoMmpnum,           // no MMPNUM line: no corner was read
    NoGoodMmpll,        // a corner's MMPLL line is missing or bad
    NotInsideIndexMap,  // corners read, one of them off the index map
    // A georeferenced image's:
    CannotBeRead,        // an image file GDAL cannot open
    NoGeoreferencing,    // no transform and too few ground control points
    NoCoordinateSystem,  // georeferenced, but in no known coordinate system
    OffTheGlobe,         // a corner that has no place on the globe
};

// The words the log and the exported files give each problem; empty for none.
inline QString SheetProblemText(SheetProblem problem)
{
    switch (problem) {
    case SheetProblem::None:
        break;
    case SheetProblem::NoMmpnum:
        return QStringLiteral("MMPNUM not found");
    case SheetProblem::NoGoodMmpll:
        return QStringLiteral("has no good MMPLL");
    case SheetProblem::NotInsideIndexMap:
        return QStringLiteral("is not inside index map");
    case SheetProblem::CannotBeRead:
        return QStringLiteral("cannot be read");
    case SheetProblem::NoGeoreferencing:
        return QStringLiteral("no georeferencing");
    case SheetProblem::NoCoordinateSystem:
        return QStringLiteral("no coordinate system");
    case SheetProblem::OffTheGlobe:
        return QStringLiteral("a corner lies off the globe");
    }
    return {};
}

// One map: a sheet of the maps directory or the index map.
struct TSingleMap {
    QString FileName;  // sheet: its .map file's name; index map: the resolved image path
    QString MapName;   // sheet: line 1 of its file, untrimmed
    bool IsOk = false;
    TPolygon LatLon;              // corners in degrees, in point-number order
    std::vector<TPixel> Pixels;   // corners on the index image
    TPixel NameCenter;            // where the sheet's name is centred
    QString ImageFile;            // sheet: file-name part of its image line
    SheetProblem Problem = SheetProblem::None;  // sheet: the first reason it is not usable
};

// Whether the analysis read every corner of a sheet, usable or not.
inline bool CornersRead(const TSingleMap& sheet)
{
    return sheet.Problem == SheetProblem::None || sheet.Problem == SheetProblem::NotInsideIndexMap;
}

// The standard sheet a sheet's corners outline, however many corners it
// lists: every place that names a sheet's cell asks this.
inline std::optional<SheetCell> StandardSheetOf(const TSingleMap& sheet)
{
    return CornersRead(sheet) ? RecogniseSheet(sheet.LatLon) : std::nullopt;
}

// The state every operation shares. One object per window, batch run or
// test, so that nothing lingers between them.
struct MapData {
    std::vector<TSingleMap> Maps;  // every sheet found, usable or not, in scan order
    TSingleMap IndexMap;
    int32_t GoodMapsCount = 0;
    std::optional<QStringList> CustomList;  // absent until the Custom list dialog's first Ok
};
