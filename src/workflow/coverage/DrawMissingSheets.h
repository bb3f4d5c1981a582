// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <cstddef>
#include <functional>

// How missing sheets are drawn: the "Bordes" width as typed and colour, the
// names font, colour and opacity slider position.
struct MissingSheetStyle {
    QString widthText;
    QColor lineColor;
    QFont font;
    QColor nameColor;
    int opacityPosition = 30;
};

// More missing cells than this make a mesh that hides the overview: the
// window asks before it draws them.
inline constexpr std::size_t kManyMissingSheets = 5000;

// "Draw missing sheets": each missing cell's outline, dashed, in the border
// colour half way to white and half as wide (at least one pixel), with its
// name centred in italic, on the working image, projected as Calc points projects the
// sheets. A negative width keeps the width the last drawing set. Writes
// nothing to the log. Throws TessError, before drawing, when the width text
// is not an integer. `proceed`, when given, is asked with the number of
// missing cells before anything is drawn; false stops the step there.
StepOutcome DrawMissingSheets(Workspace& ws, int scale, const MissingSheetStyle& style,
                              const std::function<bool(std::size_t)>& proceed = {});
