// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/ClearAll.h"

void ClearAll(Workspace& ws)
{
    ws.workingImage = QImage();
    ws.baseImage = QByteArray();
    ws.data.Maps.clear();
    ws.sources.clear();
    ws.checks.reset();
    if (ws.data.CustomList)
        ws.data.CustomList->clear();
    ws.commands.apply(Transition::ClearedAll);
    ws.centersReady = false;
    ws.coverageScale.reset();
}
