// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SafeWrite.h"
#include "workflow/Progress.h"
#include "workflow/Workspace.h"

#include <QString>

#include <optional>
#include <vector>

inline constexpr int kThumbnailSide = 256;

struct SheetThumbnails {
    std::vector<FileReplacement> files;  // named as in `names`
    std::vector<QString> names;  // per sheet of Maps: its thumbnail's file name, empty for none
};

// A JPEG of at most 256 pixels on its longer side for every usable sheet
// whose image is found beside its .map file in `mapsDir` and can be read
// (see ThumbnailOf),
// made on every core; each sheet without one gets a line in the log.
// One that `earlierDir` (the last publish's thumbnails) holds of the same
// image, unchanged since, is taken from there. Nothing when progress
// answered false.
std::optional<SheetThumbnails> MakeThumbnails(Workspace& ws, const QString& mapsDir, const QString& earlierDir,
                                              const ProgressFunction& progress, qint64 doneBefore, qint64 total);

// The pieces of work MakeThumbnails reports: one per usable sheet.
qint64 ThumbnailCount(const MapData& data);

// A small picture of an image file, at most `side` pixels on its longer
// side: a JPEG decoded at a reduced scale, never whole; any other image
// through GDAL's overviews or a decimated read. Throws TessError with the
// reason when the file cannot be read.
QImage ThumbnailOf(const QString& imagePath, int side);
