// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QString>

// Finds the index map's JPEG through line 2 of its calibration file, decodes
// it into the working image, keeps its bytes as the base image and checks
// that the index map's corners are the image's corners and a rectangle in
// degrees. Input problems are logged and stop the step; a failure to read
// the file or its header is logged as "Failed to load image"; an error in
// the pixel data, a calibration file that cannot be read or has no line 2
// are thrown as TessError.
StepOutcome LoadImage(Workspace& ws, const QString& indexMapFile);

// The image path of line 2, resolved as Load image does, or an empty string
// when no file is found there. Windows paths and relative paths that do not
// exist are looked up by their file name in the index map's folder, as
// written, upper-cased and lower-cased.
QString ResolveImagePath(const QString& imageLine, const QString& indexMapFile);

// True when the text after the last '.' of the file-name part is ".jpg" or
// ".jpeg" in any ASCII letter case.
bool HasJpegExtension(const QString& imageLine);
