// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/CalcPoints.h"

#include "workflow/newindex/IndexProjection.h"

StepOutcome CalcPoints(Workspace& ws)
{
    ws.log.blank();
    ws.log.append(QStringLiteral("Calculating Mercator..."));
    ws.log.processPendingEvents();

    const IndexProjection project(ws.data.IndexMap);
    for (TSingleMap& sheet : ws.data.Maps) {
        if (!sheet.IsOk)
            continue;
        sheet.Pixels.resize(sheet.LatLon.size());
        ws.log.blank();
        ws.log.append(sheet.FileName);
        for (std::size_t j = 0; j < sheet.LatLon.size(); ++j) {
            const TPixel p = project(sheet.LatLon[j]);
            sheet.Pixels[j] = p;
            ws.log.append(QStringLiteral("...p%1 x = %2, y = %3").arg(j).arg(p.X).arg(p.Y));
        }
    }

    ws.log.blank();
    ws.log.append(QStringLiteral("Calculated"));
    if (ws.data.IndexMap.IsOk && ws.data.GoodMapsCount > 0)
        ws.commands.apply(Transition::PointsCalculated);
    return StepOutcome::Completed;
}
