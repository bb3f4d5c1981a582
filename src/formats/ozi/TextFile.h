// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A file's text as numbered lines: a line ends at CR LF, a lone CR or a lone
// LF; a NUL ends the text; nothing is trimmed. A final line break does not
// start another line.
QStringList SplitTextLines(const QString& text);

// Decodes bytes and splits them as above.
QStringList BytesToLines(const QByteArray& bytes);

// Reads a whole file into lines; throws "Cannot open file" with the system's
// reason when it cannot be read.
QStringList ReadTextLines(const QString& path);
// The same for a path in the file system's own bytes; `shownPath` is the
// path the message names.
QStringList ReadTextLines(const QByteArray& nativePath, const QString& shownPath);
