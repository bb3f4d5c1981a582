// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QString>

// Encodes the working image as JPEG (quality 90, baseline, colour) and
// writes it over the index map's image file, or to `outputFile` when one is
// given. The file is replaced in one step, so a failed save (a TessError)
// leaves it, and the base image Undo returns to, as they were; after a
// successful one the base image holds the saved JPEG.
StepOutcome SaveJpg(Workspace& ws, const QString& outputFile = QString());
