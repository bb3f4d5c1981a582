// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SafeWrite.h"

#include <QString>

#include <vector>

// A folder that a publish writes whole: its files (paths relative to it,
// subfolders made as needed) replace everything it held before.
struct PublishedFolder {
    QString name;
    std::vector<FileReplacement> files;
};

// Writes `folders` and `files` (paths relative to `dir`) into `dir`: every
// one is replaced, or, when anything fails, none, and no temporary file or
// folder stays behind. Each folder is written beside its old self under a
// hidden name and swapped in by renames; the files go through
// ReplaceFilesSafely. Files and folders of `dir` not named stay untouched.
void ReplacePublishedFiles(const QString& dir, const std::vector<PublishedFolder>& folders,
                           const std::vector<FileReplacement>& files);
