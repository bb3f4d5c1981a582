// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

// Returns the working image to the base image, dropping everything drawn
// since the image was loaded or saved. A failure is logged as "Failed to
// undo" and changes nothing.
StepOutcome Undo(Workspace& ws);
