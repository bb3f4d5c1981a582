// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/CustomListEdits.h"

#include "core/Errors.h"

#include <vector>

namespace {

// A character is a whole code point: a surrogate pair is never split.
qsizetype FirstCharLength(const QString& s)
{
    return s.size() >= 2 && s[0].isHighSurrogate() && s[1].isLowSurrogate() ? 2 : 1;
}

qsizetype LastCharLength(const QString& s)
{
    const qsizetype n = s.size();
    return n >= 2 && s[n - 1].isLowSurrogate() && s[n - 2].isHighSurrogate() ? 2 : 1;
}

template <typename Edit>
QStringList EditSheetLines(QStringList lines, qsizetype sheetCount, Edit edit)
{
    for (qsizetype i = 0; i < sheetCount; ++i) {
        if (i >= lines.size())
            throw Errors::listIndexOutOfBounds(i);
        lines[i] = edit(lines[i]);
    }
    return lines;
}

}  // namespace

QStringList GenerateList(const MapData& data, ListField field)
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(data.Maps.size()));
    for (const TSingleMap& map : data.Maps) {
        switch (field) {
        case ListField::MapName:
            lines.append(map.MapName);
            break;
        case ListField::FileName:
            lines.append(map.FileName);
            break;
        case ListField::ImageFile:
            lines.append(map.ImageFile);
            break;
        }
    }
    return lines;
}

bool AllLinesSameLength(const QStringList& lines)
{
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].size() != lines[0].size())
            return false;
    }
    return true;
}

QString RemoveExtension(const QString& line)
{
    for (qsizetype i = line.size() - 1; i >= 0; --i) {
        const QChar c = line[i];
        if (c == u'.')
            return line.left(i);
        if (c == u'\\' || c == u':')
            break;
    }
    return line;
}

QString CutFirstCharacter(const QString& line)
{
    return line.isEmpty() ? line : line.mid(FirstCharLength(line));
}

QString CutLastCharacter(const QString& line)
{
    return line.isEmpty() ? line : line.left(line.size() - LastCharLength(line));
}

QStringList RemoveExtensions(const QStringList& lines, qsizetype sheetCount)
{
    return EditSheetLines(lines, sheetCount, RemoveExtension);
}

QStringList CutFirstCharacters(const QStringList& lines, qsizetype sheetCount)
{
    return EditSheetLines(lines, sheetCount, CutFirstCharacter);
}

QStringList CutLastCharacters(const QStringList& lines, qsizetype sheetCount)
{
    return EditSheetLines(lines, sheetCount, CutLastCharacter);
}

QStringList RemoveIdenticPositions(const QStringList& lines)
{
    if (lines.isEmpty())
        return lines;
    const QString& first = lines[0];
    std::vector<qsizetype> differing;
    for (qsizetype p = 0; p < first.size(); ++p) {
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (p >= lines[i].size() || lines[i][p] != first[p]) {
                differing.push_back(p);
                break;
            }
        }
    }
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines) {
        QString kept;
        for (qsizetype p : differing) {
            if (p < line.size())
                kept.append(line[p]);
        }
        result.append(kept);
    }
    return result;
}
