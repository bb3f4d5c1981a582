// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Replaces (or creates) `path` with `bytes` so that the file is never seen
// half written: the bytes go to a temporary file in the same folder, are
// flushed to the disk and renamed over `path`, which keeps its permissions.
// A symbolic link keeps leading to the replaced file. On failure `path` is
// as it was and no temporary file remains. Throws "Cannot create file" when
// the file cannot be created or is not writable, and the system's own text
// (e.g. "No space left on device") when writing fails.
void ReplaceFileSafely(const QString& path, const QByteArray& bytes);
