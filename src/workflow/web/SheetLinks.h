// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a published page links the sheets' images: a link is this folder
// (empty or ending in '/') followed by the image's file name, encoded with
// EncodePath. Without a `base` it is the path from `pageDir` to `mapsDir`,
// made relative and percent-encoded, so that the page keeps working when the
// two folders move together; with one, `base` (a URL or a folder) as given.
QString SheetLinkFolder(const QString& pageDir, const QString& mapsDir, const QString& base);

// A relative path or file name, percent-encoded part by part; '/' stays.
QString EncodePath(const QString& path);
