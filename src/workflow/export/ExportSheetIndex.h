// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QColor>
#include <QString>

enum class ExportFormat { GeoJson, Kml };

// By the file's name: ".geojson" or ".json" GeoJSON, ".kml" KML, in any
// letter case; nothing for another name.
std::optional<ExportFormat> ExportFormatOf(const QString& file);

// "Export": the index map and every sheet the analysis read, usable or not,
// written to `file` in the format its name asks for, replaced in one step.
// `border` is the colour usable outlines get where the format has colours.
// Throws TessError for a name of no known format; a file that cannot be
// written is reported in the log, as Publish… reports it, and stops.
StepOutcome ExportSheetIndex(Workspace& ws, const QString& file, QColor border);
