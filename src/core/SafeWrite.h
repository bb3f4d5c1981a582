// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Replaces (or creates) `path` with `bytes` so that the file is never seen
// half written: the bytes go to a temporary file in the same folder, are
// flushed to the disk and renamed over `path`, which keeps its permissions.
// A symbolic link keeps leading to the replaced file. On failure `path` is
// as it was and no temporary file remains. Throws "Cannot create file" when
// the file cannot be created or is not writable, and the system's own text
// (e.g. "No space left on device") when writing fails.
void ReplaceFileSafely(const QString& path, const QByteArray& bytes);

struct FileReplacement {
    QString path;
    QByteArray bytes;
};

// The same for files that belong together: every one is replaced, or none.
// All are written to temporary files first; the old files stay reachable
// until the last rename succeeded, so that a failure puts back every file
// already renamed.
void ReplaceFilesSafely(const std::vector<FileReplacement>& files);

// Makes the folder `dir` and every missing folder above it. Throws "Cannot
// create file" with the system's reason for the first one that cannot be
// made ("Read-only file system", "Permission denied", "Not a directory").
void MakeFolders(const QString& dir);
