// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

// "Calc points": projects every usable sheet's corners onto the index image
// (Mercator, scaled linearly between the index map's corners) into its
// `Pixels`, logging each position. Throws TessError on an arithmetic fault;
// the lines and positions produced until then stay.
StepOutcome CalcPoints(Workspace& ws);
