// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/DrawBorders.h"

#include "imaging/BorderDrawing.h"
#include "core/Numbers.h"

StepOutcome DrawBorders(Workspace& ws, const BorderOptions& options)
{
    if (!ws.data.IndexMap.IsOk || ws.data.GoodMapsCount <= 0)
        return StepOutcome::Completed;

    const int32_t width = StrToInt(options.widthText);
    if (width >= 0)
        ws.penWidth = width;

    std::vector<QPolygon> polygons;
    for (const TSingleMap& sheet : ws.data.Maps) {
        if (!sheet.IsOk)
            continue;
        QPolygon polygon;
        polygon.reserve(static_cast<qsizetype>(sheet.Pixels.size()));
        for (const TPixel& p : sheet.Pixels)
            polygon.append(QPoint(p.X, p.Y));
        polygons.push_back(std::move(polygon));
    }
    DrawBorderPolygons(ws.workingImage, polygons, BorderStyle{options.color, ws.penWidth, options.fill});

    ws.commands.apply(Transition::BordersDrawn);
    return StepOutcome::Completed;
}
