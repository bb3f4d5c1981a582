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
};

// Every sheet's link, label and missing cells, as the page and the GeoJSON
// show them; empty links for sheets that are not usable.
struct WebIndexLinks {
    std::vector<QString> links;
    std::vector<QString> names;  // the name drawn, or empty
};
WebIndexLinks CollectWebLinks(const MapData& data, const WebIndexOptions& options);

// The export's sheet index with the OpenIndexMaps fields on every feature
// and, when `coverageScale` is given, the missing cells after the sheets.
SheetIndex OpenIndexSheetIndex(const MapData& data, const QString& indexMapFile, const WebIndexLinks& links,
                               std::optional<int> coverageScale);

// "Publish": the web index page, the sheet index as OpenIndexMaps GeoJSON
// and the working image (JPEG, quality 90, named as the index image) in
// options.dir, each replaced in one step. Needs the sheets' positions
// (Calc points). A folder that holds files already is refused unless
// `force`; that and a failed write are said in the log and stop the step.
StepOutcome PublishWeb(Workspace& ws, const WebIndexOptions& options);
