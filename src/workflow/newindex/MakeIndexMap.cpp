// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/newindex/MakeIndexMap.h"

#include "imaging/JpegCodec.h"
#include "core/SafeWrite.h"
#include "core/Errors.h"
#include "workflow/calibration/SheetCalibration.h"
#include "workflow/panel/Analyze.h"
#include "formats/ozi/MapWriter.h"
#include "workflow/newindex/IndexMapPicture.h"

#include <QFileInfo>

QString IndexImagePath(const QString& mapFile)
{
    return mapFile.left(mapFile.size() - QFileInfo(mapFile).suffix().size()) + QStringLiteral("jpg");
}

std::vector<FileReplacement> IndexMapFiles(const IndexMapFrame& frame, const QString& mapFile)
{
    const QString imageFile = IndexImagePath(mapFile);
    const QByteArray calibration =
        IndexMapCalibration(FrameRecord(frame), QFileInfo(mapFile).completeBaseName(), QFileInfo(imageFile).fileName());
    return {{imageFile, EncodeJpeg(DrawIndexMapPicture(frame), kSaveQuality)}, {mapFile, calibration}};
}

StepOutcome MakeIndexMap(Workspace& ws, QString mapsDir, const QString& mapFile, int width, bool overwrite,
                         const ProgressFunction& progress)
{
    const auto cancelled = [&ws] { ws.log.append(QStringLiteral("Making index map cancelled: nothing written")); };
    // Stages of the step, each reported before it starts.
    const auto goOn = [&progress, &cancelled](const QString& what, qint64 stage) {
        if (!progress || progress(what, stage, 3))
            return true;
        cancelled();
        return false;
    };
    const QFileInfo info(mapFile);
    if (info.suffix().compare(u"map", Qt::CaseInsensitive) != 0)
        throw TessError(QStringLiteral("An index map's calibration file must end in .map: %1").arg(mapFile));
    const QString imageFile = IndexImagePath(mapFile);

    ws.log.blank();
    ws.log.append(QStringLiteral("Making index map..."));
    ws.log.processPendingEvents();
    if (!overwrite) {
        for (const QString& file : {imageFile, mapFile}) {
            if (QFileInfo::exists(file)) {
                ws.log.append(QStringLiteral("%1 already exists - not overwritten").arg(file));
                return StepOutcome::Stopped;
            }
        }
    }

    // The sheets are read into records of their own, inside a border that
    // holds the whole globe, so that each sheet with good corners is ok.
    Workspace scan(ws.log, ws.decimalPoint);
    scan.sheetCorners = ws.sheetCorners;
    scan.rasterSheets = ws.rasterSheets;
    if (ws.sheetCorners != SheetCorners::Mmpll || ws.rasterSheets)
        WorkspaceProj(ws);  // made here so that the next Analyze uses what the scan made
    scan.proj = ws.proj;
    scan.data.IndexMap.LatLon = {{1e6, -1e6}, {1e6, 1e6}, {-1e6, 1e6}, {-1e6, -1e6}};
    ws.log.blank();
    if (!goOn(QStringLiteral("Reading the sheets"), 0))
        return StepOutcome::Stopped;
    const std::optional<std::size_t> files = ReadMapsDirectory(scan, mapsDir, progress);
    if (!files) {
        cancelled();
        return StepOutcome::Stopped;
    }
    std::size_t good = 0;
    for (const TSingleMap& sheet : scan.data.Maps)
        good += CornersRead(sheet) ? 1 : 0;
    ws.log.blank();
    ws.log.append(QStringLiteral("%1 map files analysed").arg(*files));
    ws.log.append(QStringLiteral("%1 map files have good corners").arg(good));

    const IndexMapPlan plan = PlanIndexMap(scan.data.Maps, width);
    if (!plan.frame) {
        ws.log.append(plan.refusal);
        return StepOutcome::Stopped;
    }
    const IndexMapFrame& frame = *plan.frame;
    if (!goOn(QStringLiteral("Drawing the index map"), 1))
        return StepOutcome::Stopped;
    const std::vector<FileReplacement> newFiles = IndexMapFiles(frame, mapFile);
    if (!goOn(QStringLiteral("Writing the index map"), 2))
        return StepOutcome::Stopped;
    // A picture without its calibration, or beside the old one, is of no
    // use to anyone: both are replaced, or neither.
    try {
        ReplaceFilesSafely(newFiles);
    } catch (const TessError& error) {
        ws.log.append(error.text() + QStringLiteral(" - index map not made"));
        return StepOutcome::Stopped;
    }
    ws.log.append(QStringLiteral("Index map of %1 x %2 pixels saved as %3 and %4")
                      .arg(frame.width)
                      .arg(frame.height)
                      .arg(QFileInfo(imageFile).fileName(), info.fileName()));
    return StepOutcome::Completed;
}
