// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QColor>
#include <QString>

// The "Bordes" controls: the line width as typed, the line colour, and
// whether polygons are hatched.
struct BorderOptions {
    QString widthText;
    QColor color;
    bool fill = false;
};

// "Draw borders": draws every usable sheet's polygon through its `Pixels`
// onto the working image, in `Maps` order. A negative width keeps the width
// the last drawing set on this image. Writes nothing to the log. Throws
// TessError, before drawing anything, when the width text is not an integer.
StepOutcome DrawBorders(Workspace& ws, const BorderOptions& options);
