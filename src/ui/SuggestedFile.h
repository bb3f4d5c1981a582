// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where our save dialogs start and the file name they offer: in the index
// map's folder when that folder exists, else in the maps folder (beside it,
// for a file Analyze would take for a sheet there), else wherever the dialog
// starts by itself; named after the index map, else after the maps folder,
// else "index", followed by `ending` (".geojson", "-new.map"), but never so
// that a word comes twice ("new-new.map"). The paths are the boxes' texts
// as typed.
QString SuggestedFile(const QString& indexMapFile, const QString& mapsDir, const QString& ending,
                      bool besideMapsFolder = false);
