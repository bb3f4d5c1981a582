// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

// The centre methods, as the items of the " Center names " group.
enum CenterMethod : int { kNoCenterMethod = -1, kArithmeticMean = 0, kBarycenter = 1 };

// "Calc for preview": computes every usable sheet's NameCenter by `method`
// (an item index of the centre group; any other index computes nothing but
// logs and flags all the same), marks the centres ready and disables its
// button. Stopped without a word when there is no usable index map and
// sheet. A sheet whose centre has a zero divisor throws TessError: the
// sheets before it keep their new centres, it and those after keep their
// old ones, and neither the flag nor the button changes.
StepOutcome CalcNameCenters(Workspace& ws, int method);

// The user picked centre method `index`: a method other than the one the
// centres stand for makes them stale and enables "Calc for preview" again.
void CenterMethodChosen(Workspace& ws, int index);
