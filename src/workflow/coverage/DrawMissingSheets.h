// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QColor>
#include <QFont>
#include <QString>

// How missing sheets are drawn: the "Bordes" width as typed and colour, the
// names font, colour and opacity slider position.
struct MissingSheetStyle {
    QString widthText;
    QColor lineColor;
    QFont font;
    QColor nameColor;
    int opacityPosition = 30;
};

// "Draw missing sheets": each missing cell's outline, dashed, with its name
// centred, on the working image, projected as Calc points projects the
// sheets. A negative width keeps the width the last drawing set. Writes
// nothing to the log. Throws TessError, before drawing, when the width text
// is not an integer.
StepOutcome DrawMissingSheets(Workspace& ws, int scale, const MissingSheetStyle& style);
