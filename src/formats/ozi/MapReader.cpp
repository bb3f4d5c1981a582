// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ozi/MapReader.h"

#include "core/Errors.h"
#include "core/Numbers.h"

namespace {

const QString& FieldAt(const QStringList& fields, qsizetype index)
{
    if (index < 0 || index >= fields.size())
        throw Errors::listIndexOutOfBounds(index);
    return fields[index];
}

QString TrimmedField(const QStringList& fields, qsizetype index) { return TrimBlanks(FieldAt(fields, index)); }

// Splits the line and checks keyword and point number; the fields when both
// are right.
std::optional<QStringList> PointFields(const QStringList& lines, qint64 index, int32_t k, QLatin1StringView keyword)
{
    QStringList fields = SplitMapLine(LineAt(lines, index));
    if (TrimmedField(fields, 0) != keyword)
        return std::nullopt;
    if (StrToInt(TrimmedField(fields, 1)) != k)
        return std::nullopt;
    return fields;
}

}  // namespace

const QString& LineAt(const QStringList& lines, qint64 index)
{
    if (index < 0 || index >= lines.size())
        throw Errors::listIndexOutOfBounds(index);
    return lines[index];
}

QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    return text.sliced(first, last - first);
}

QStringList SplitMapLine(const QString& line)
{
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype pos = 0;
    while (pos < n) {
        QString field;
        if (line[pos] == u'"') {
            ++pos;
            while (pos < n) {
                if (line[pos] == u'"') {
                    if (pos + 1 < n && line[pos + 1] == u'"') {
                        field += u'"';
                        pos += 2;
                        continue;
                    }
                    ++pos;  // the closing quote
                    break;
                }
                field += line[pos++];
            }
        } else {
            const qsizetype comma = line.indexOf(u',', pos);
            const qsizetype end = comma < 0 ? n : comma;
            field = line.sliced(pos, end - pos);
            pos = end;
        }
        fields.append(field);
        if (pos < n && line[pos] == u',') {
            ++pos;
            if (pos == n)
                fields.append(QString());
        }
    }
    return fields;
}

bool ReadMMPXY(const QStringList& lines, qint64 index, int32_t k, TPixel& P)
{
    const auto fields = PointFields(lines, index, k, QLatin1StringView("MMPXY"));
    if (!fields)
        return false;
    P.X = StrToInt(TrimmedField(*fields, 2));
    P.Y = StrToInt(TrimmedField(*fields, 3));
    return true;
}

bool ReadMMPLL(const QStringList& lines, qint64 index, int32_t k, TGeoPoint& P)
{
    const auto fields = PointFields(lines, index, k, QLatin1StringView("MMPLL"));
    if (!fields)
        return false;
    P.Lon = StrToFloat(TrimmedField(*fields, 2));
    P.Lat = StrToFloat(TrimmedField(*fields, 3));
    return true;
}

std::optional<qsizetype> FindIndexMapMmpnum(const QStringList& lines)
{
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].compare(QLatin1StringView("MMPNUM,4"), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

SheetMmpnum FindSheetMmpnum(const QStringList& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (!line.startsWith(QLatin1StringView("MMPNUM"), Qt::CaseSensitive))
            continue;
        const qsizetype comma = line.indexOf(u',');
        const int32_t count = StrToInt(TrimBlanks(comma < 0 ? line : line.sliced(comma + 1)));
        return {i, count < 1 ? 0 : count};
    }
    return {};
}

QString FileNamePart(const QString& path)
{
    qsizetype cut = -1;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path[i];
        if (c == u'\\' || c == u'/' || c == u':') {
            cut = i;
            break;
        }
    }
    return path.sliced(cut + 1);
}
