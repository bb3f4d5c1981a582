// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/export/ExportSheetIndex.h"

#include "core/SafeWrite.h"
#include "core/Errors.h"
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

StepOutcome ExportSheetIndex(Workspace& ws, const QString& file, QColor border)
{
    const auto format = ExportFormatOf(file);
    if (!format)
        throw TessError(QStringLiteral("Cannot export to \"%1\": the name must end in .geojson, .json or .kml").arg(file));
    ws.log.blank();
    ws.log.append(QStringLiteral("Exporting sheet index..."));
    ws.log.processPendingEvents();

    const SheetIndex index = CollectSheetIndex(ws.data, ws.indexMapFile);
    const QByteArray bytes = *format == ExportFormat::GeoJson
                                 ? WriteGeoJson(index)
                                 : WriteKml(index, QFileInfo(file).completeBaseName(), border);
    ReplaceFileSafely(file, bytes);
    ws.log.append(QStringLiteral("Exported %1 sheets and the index map to %2")
                      .arg(index.features.size() - 1)
                      .arg(QFileInfo(file).fileName()));
    return StepOutcome::Completed;
}
