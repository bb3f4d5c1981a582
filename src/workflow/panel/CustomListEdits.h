// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gvars.h"

#include <QString>
#include <QStringList>

// The Custom list dialog's line work, apart from its widgets.

enum class ListField { MapName, FileName, ImageFile };

// One line per sheet, usable or not, in sheet order.
QStringList GenerateList(const MapData& data, ListField field);

// True when every line is as long as the first; none or one line is true.
bool AllLinesSameLength(const QStringList& lines);

// One-line edits.
QString RemoveExtension(const QString& line);  // from the last '.' on, unless a '\' or ':' follows it
QString CutFirstCharacter(const QString& line);
QString CutLastCharacter(const QString& line);

// Each edits lines 0 .. sheetCount - 1 and leaves the lines after them.
// Throws TessError "List index out of bounds (i)" for the first line
// missing; the caller's list is left as it was.
QStringList RemoveExtensions(const QStringList& lines, qsizetype sheetCount);
QStringList CutFirstCharacters(const QStringList& lines, qsizetype sheetCount);
QStringList CutLastCharacters(const QStringList& lines, qsizetype sheetCount);

// Keeps, in every line, the characters at the positions (up to the first
// line's length) where the lines do not all agree. A line too short for a
// position disagrees there and has nothing to keep at it.
QStringList RemoveIdenticPositions(const QStringList& lines);
