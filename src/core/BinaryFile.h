// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// A whole file's bytes; throws "Cannot open file" with the system's reason.
QByteArray ReadBinaryFile(const QString& path);
// The same for a path in the file system's own bytes; `shownPath` is the
// path the message names.
QByteArray ReadBinaryFile(const QByteArray& nativePath, const QString& shownPath);
