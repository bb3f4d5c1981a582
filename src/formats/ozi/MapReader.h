// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/PolygonsMath.h"

#include <QString>
#include <QStringList>

#include <optional>

// Fields of one calibration line: cut at ',', with "quoted" fields whose
// doubled quote marks stand for one. Fields are not trimmed.
QStringList SplitMapLine(const QString& line);

// Trims characters with codes 0 to 32 from both ends.
QString TrimBlanks(const QString& text);

// Reads line `index` as the MMPXY (pixel) or MMPLL (degree) line of point k.
// False when the keyword or the point number is wrong; throws when a field
// that must be there is missing or is not a number.
bool ReadMMPXY(const QStringList& lines, qint64 index, int32_t k, TPixel& P);
bool ReadMMPLL(const QStringList& lines, qint64 index, int32_t k, TGeoPoint& P);

// The line of "MMPNUM,4" in an index map file (line 1 or later, whole line,
// letter case ignored), or nothing.
std::optional<qsizetype> FindIndexMapMmpnum(const QStringList& lines);

struct SheetMmpnum {
    qsizetype line = 0;
    int32_t count = 0;  // 0 when the sheet has no usable MMPNUM line
};
// The first line beginning with "MMPNUM" and the count after its first ','.
// A count below 1 counts as no MMPNUM line at all.
SheetMmpnum FindSheetMmpnum(const QStringList& lines);

// The file-name part of a path: after its last '\', '/' or ':'.
QString FileNamePart(const QString& path);

// Line `index` of a file, or the list's own out-of-bounds error.
const QString& LineAt(const QStringList& lines, qint64 index);
