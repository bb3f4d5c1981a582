// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SheetIndex.h"
#include "workflow/Progress.h"
#include "workflow/Workspace.h"
#include "workflow/panel/DrawNames.h"

#include <QString>
#include <QStringView>

#include <functional>

inline constexpr QStringView kWebPageFile = u"index.html";
inline constexpr QStringView kWebGeoJsonFile = u"sheets.geojson";

struct WebIndexOptions {
    QString dir;       // the folder the page goes to; made when missing
    QString mapsDir;   // the folder the sheets' images are in
    QString linkBase;  // links start with this when given (a URL or a folder)
    bool force = false;  // write into a folder that holds files already
    int nameSource = kNoNameSource;  // the source of the names drawn; none: map names
    QString catalogue;  // a CSV file of what the library knows of each sheet; empty: none
    bool thumbnails = true;  // a small picture of every sheet whose image can be read
    ProgressFunction progress;  // told of tiles and thumbnails made; may cancel
};

// Whether `dir` exists and holds anything, hidden files included.
bool FolderHoldsFiles(const QString& dir);

// "Publish": the web index page (a Leaflet map), the sheet index as
// OpenIndexMaps GeoJSON, the working image as tiles ("tiles/"), the sheets'
// thumbnails ("thumbs/") and Leaflet's files ("leaflet/") in options.dir,
// all replaced in one step, or none when cancelled through progress. Needs the sheets' positions
// (Calc points). A folder that holds files already is refused unless
// `force`; that, a catalogue that cannot be read and a failed write are
// said in the log and stop the step. The GeoJSON has the usable sheets,
// joined with the catalogue's rows, and the missing cells.
// `alongside`, when given, is work that leaves the working image as it is
// (Save jpg): it runs first, on the caller's thread, while the tiles are
// made on the other cores; what it throws stops the publish. Progress is
// then asked from the tiles' own thread.
StepOutcome PublishWeb(Workspace& ws, const WebIndexOptions& options, const std::function<void()>& alongside = {});
