// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/export/ExportSheetIndex.h"

#include "core/SafeWrite.h"
#include "core/Errors.h"
#include "workflow/calibration/CheckCalibrations.h"
#include "formats/GeoJsonWriter.h"
#include "formats/KmlWriter.h"
#include "workflow/export/SheetOutlines.h"

#include <QFileInfo>

std::optional<ExportFormat> ExportFormatOf(const QString& file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == u"geojson" || suffix == u"json")
        return ExportFormat::GeoJson;
    if (suffix == u"kml")
        return ExportFormat::Kml;
    return std::nullopt;
}

namespace {

// Where each sheet's corners came from, when they were chosen or read from
// an image, its format when images were read, and the calibration check's
// verdict, when it ran.
void AddCalibrationFields(const Workspace& ws, SheetIndex& index)
{
    for (std::size_t i = 0; i < ws.data.Maps.size() && i < ws.sources.size() && i + 1 < index.features.size(); ++i) {
        OutlineFeature& f = index.features[i + 1];
        const SheetSource& source = ws.sources[i];
        if (source.raster ? CornersRead(ws.data.Maps[i]) : ws.sheetCorners != SheetCorners::Mmpll)
            f.outline = OutlineSourceKeyword(source.outline);
        if (ws.rasterSheets)
            f.format = source.format;
        if (ws.checks && i < ws.checks->size()) {
            const CalibrationCheck& check = (*ws.checks)[i];
            f.calibration = VerdictKeyword(check.verdict);
            if (check.verdict != CalibrationVerdict::Unchecked)
                f.calibrationM = check.metres;
        }
    }
}

}  // namespace

StepOutcome ExportSheetIndex(Workspace& ws, const QString& file, QColor border)
{
    const auto format = ExportFormatOf(file);
    if (!format)
        throw TessError(QStringLiteral("Cannot export to \"%1\": the name must end in .geojson, .json or .kml").arg(file));
    ws.log.blank();
    ws.log.append(QStringLiteral("Exporting sheet index..."));
    ws.log.processPendingEvents();

    SheetIndex index = CollectSheetIndex(ws.data, ws.indexMapFile);
    AddCalibrationFields(ws, index);
    const QByteArray bytes = *format == ExportFormat::GeoJson
                                 ? WriteGeoJson(index)
                                 : WriteKml(index, QFileInfo(file).completeBaseName(), border);
    try {
        ReplaceFileSafely(file, bytes);
    } catch (const TessError& error) {
        ws.log.append(QStringLiteral("Failed to export. Error message:\n") + error.text());
        return StepOutcome::Stopped;
    }
    ws.log.append(QStringLiteral("Exported %1 sheets and the index map to %2")
                      .arg(index.features.size() - 1)
                      .arg(QFileInfo(file).fileName()));
    return StepOutcome::Completed;
}
