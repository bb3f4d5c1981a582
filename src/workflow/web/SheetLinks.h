// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a published page links a sheet's image `imageFile` (a file name).
// Without a `base` the link is the path from `pageDir` to `mapsDir`, made
// relative, so that the page keeps working when the two folders move
// together; with one, `base` (a URL or a folder) followed by the file name.
// Either way every path part is percent-encoded as URLs want it.
QString SheetLink(const QString& pageDir, const QString& mapsDir, const QString& base, const QString& imageFile);

// A relative path or file name, percent-encoded part by part; '/' stays.
QString EncodePath(const QString& path);
