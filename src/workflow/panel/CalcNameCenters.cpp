// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/CalcNameCenters.h"

#include "geometry/NameCenters.h"

StepOutcome CalcNameCenters(Workspace& ws, int method)
{
    MapData& data = ws.data;
    if (!data.IndexMap.IsOk || data.GoodMapsCount <= 0)
        return StepOutcome::Stopped;

    ws.log.blank();
    ws.log.append(QStringLiteral("Calculating names places..."));
    ws.log.processPendingEvents();

    if (method == kArithmeticMean || method == kBarycenter) {
        for (TSingleMap& sheet : data.Maps) {
            if (!sheet.IsOk)
                continue;
            sheet.NameCenter = method == kArithmeticMean ? MeanCenter(sheet.Pixels) : BarycenterCenter(sheet.Pixels);
        }
    }

    ws.log.append(QStringLiteral("Calculated"));
    ws.centersReady = true;
    ws.commands.apply(Transition::CentersCalculated);
    return StepOutcome::Completed;
}

void CenterMethodChosen(Workspace& ws, int index)
{
    if (index == ws.centersMethod)
        return;
    ws.commands.apply(Transition::CenterMethodChanged);
    ws.centersReady = false;
    ws.centersMethod = index;
}
