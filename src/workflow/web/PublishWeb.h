// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SheetIndex.h"
#include "workflow/Workspace.h"
#include "workflow/panel/DrawNames.h"

#include <QString>
#include <QStringView>

inline constexpr QStringView kWebPageFile = u"index.html";
inline constexpr QStringView kWebGeoJsonFile = u"sheets.geojson";

struct WebIndexOptions {
    QString dir;       // the folder the page goes to; made when missing
    QString mapsDir;   // the folder the sheets' images are in
    QString linkBase;  // links start with this when given (a URL or a folder)
    bool force = false;  // write into a folder that holds files already
    int nameSource = kNoNameSource;  // the source of the names drawn; none: map names
    QString catalogue;  // a CSV file of what the library knows of each sheet; empty: none
};

// Whether `dir` exists and holds anything, hidden files included.
bool FolderHoldsFiles(const QString& dir);

// "Publish": the web index page, the sheet index as OpenIndexMaps GeoJSON
// and the working image (JPEG, quality 90, named as the index image) in
// options.dir, each replaced in one step. Needs the sheets' positions
// (Calc points). A folder that holds files already is refused unless
// `force`; that, a catalogue that cannot be read and a failed write are
// said in the log and stop the step. The GeoJSON has the usable sheets,
// joined with the catalogue's rows, and the missing cells.
StepOutcome PublishWeb(Workspace& ws, const WebIndexOptions& options);
