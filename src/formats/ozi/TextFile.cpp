// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ozi/TextFile.h"

#include "core/BinaryFile.h"
#include "formats/ozi/TextDecoding.h"

#include <QFile>

QStringList SplitTextLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.sliced(start, i - start));
            i += (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.sliced(start));
    return lines;
}

QStringList BytesToLines(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return SplitTextLines(DecodeMapText(nul < 0 ? bytes : bytes.left(nul)));
}

QStringList ReadTextLines(const QString& path) { return ReadTextLines(QFile::encodeName(path), path); }

QStringList ReadTextLines(const QByteArray& nativePath, const QString& path)
{
    return BytesToLines(ReadBinaryFile(nativePath, path));
}
