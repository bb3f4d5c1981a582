// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/RasterSheets.h"

#include "formats/gdal/RasterModule.h"
#include "workflow/calibration/RasterOutline.h"
#include "workflow/calibration/SheetCalibration.h"
#include "workflow/ParallelJobs.h"
#include "workflow/panel/Analyze.h"

#include <QDir>
#include <QFileInfo>

namespace {

void AddSheet(Workspace& ws, const RasterFile& raster, std::size_t fileCount)
{
    ws.log.append(raster.name);
    ws.data.Maps.resize(fileCount);
    ws.sources.resize(fileCount);
    TSingleMap& sheet = ws.data.Maps.back();
    sheet = TSingleMap{};
    sheet.FileName = raster.name;
    sheet.ImageFile = raster.name;
    sheet.MapName = raster.title.isEmpty() ? QFileInfo(raster.name).completeBaseName() : raster.title;
    SheetSource& source = ws.sources.back();
    source = SheetSource{};
    source.format = raster.driver;
    source.raster = raster;

    const RasterOutline outline = OutlineRaster(raster, WorkspaceProj(ws));
    if (raster.readable) {
        ws.log.append(QStringLiteral("...original map name is ") + sheet.MapName);
        ws.log.append(QStringLiteral("...format %1, %2")
                          .arg(raster.driver, raster.crsName.isEmpty() ? QStringLiteral("no coordinate system")
                                                                       : raster.crsName));
    }
    if (outline.problem != SheetProblem::None) {
        sheet.Problem = outline.problem;
        ws.log.append(QStringLiteral("...") + SheetProblemText(outline.problem));
        if (!outline.detail.isEmpty())
            ws.log.append(QStringLiteral("...") + outline.detail);
        ws.log.blank();
        return;
    }
    source.outline = outline.source;
    ws.log.append(QStringLiteral("...outline from ") + OutlineSourceKeyword(outline.source));
    sheet.IsOk = true;
    sheet.LatLon = outline.corners;
    PlaceSheet(ws, sheet, static_cast<int32_t>(sheet.LatLon.size()));
}

}  // namespace

std::optional<std::size_t> ReadRasterSheets(Workspace& ws, const QString& mapsDir, std::size_t fileCount,
                                            const ProgressFunction& progress)
{
    QStringList claimed;
    for (const TSingleMap& sheet : ws.data.Maps) {
        if (!sheet.ImageFile.isEmpty())
            claimed.append(sheet.ImageFile);
    }
    // Listed once for every image; special files such as pipes are left out,
    // as opening one would wait for a writer.
    const QStringList names = QDir(mapsDir).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    const std::vector<RasterCandidate> candidates = RasterCandidates(names, claimed);
    if (candidates.empty())
        return fileCount;
    const auto reader = RasterReader();
    if (const auto* error = std::get_if<QString>(&reader)) {
        ws.log.append(QStringLiteral("Georeferenced images cannot be read: ") + *error);
        ws.log.blank();
        return fileCount;
    }
    std::vector<std::optional<RasterFile>> rasters(candidates.size());
    const auto read = [&](std::size_t i) { std::get<ReadRasterFunction>(reader)(mapsDir, candidates[i], rasters[i]); };
    const auto count = static_cast<qint64>(candidates.size());
    if (!RunInParallel(candidates.size(), read, progress, QStringLiteral("Reading georeferenced images"), 0, count))
        return std::nullopt;
    for (const auto& raster : rasters) {
        if (raster)
            AddSheet(ws, *raster, ++fileCount);
    }
    return fileCount;
}
