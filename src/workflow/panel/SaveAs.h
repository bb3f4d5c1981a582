// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QByteArray>
#include <QString>

// The calibration file `mapBytes` byte for byte, but with line 2 (counted
// from 0: the image's path) replaced by `imageName`, its line end kept,
// written in the file's own text encoding.
QByteArray WithImageLine(const QByteArray& mapBytes, const QString& imageName);

// The index map's calibration for a JPEG `jpegFile`: the same folder and
// base name, ".map".
QString CalibrationFileFor(const QString& jpegFile);

// "Save as…": the working image written to `jpegFile` as Save jpg writes
// it, and beside it a copy of the index map's calibration file that names
// it, so that the pair is an index map of its own. The index map's files,
// the base image and the buttons stay as they were. Throws TessError when
// a file cannot be read or written.
StepOutcome SaveAs(Workspace& ws, const QString& jpegFile);
