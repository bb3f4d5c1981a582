// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/ozi/MapCalibration.h"

#include "core/Errors.h"
#include "core/Numbers.h"
#include "formats/ozi/MapReader.h"

namespace {

QString Field(const QStringList& fields, qsizetype i) { return i < fields.size() ? TrimBlanks(fields[i]) : QString(); }

// A number, or nothing for a blank or unreadable field: a calibration that
// lacks a value is reported by the check, never by an error box.
std::optional<double> Number(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    try {
        return StrToFloat(text);
    } catch (const TessError&) {
        return std::nullopt;
    }
}

// Degrees and minutes with a hemisphere letter; the minutes may be blank.
std::optional<double> Angle(const QStringList& f, qsizetype at, QChar negative)
{
    const auto degrees = Number(Field(f, at));
    if (!degrees)
        return std::nullopt;
    const auto minutes = Number(Field(f, at + 1));
    const double value = std::abs(*degrees) + (minutes ? *minutes : 0.0) / 60.0;
    const bool minus = *degrees < 0 || Field(f, at + 2).startsWith(negative, Qt::CaseInsensitive);
    return minus ? -value : value;
}

// Point01,xy,X,Y,in,deg,LatD,LatM,N,LonD,LonM,E,grid,Zone,Easting,Northing,N
std::optional<CalibrationPoint> ReadPoint(const QString& line)
{
    const QStringList f = SplitMapLine(line);
    const auto x = Number(Field(f, 2));
    const auto y = Number(Field(f, 3));
    if (!x || !y)
        return std::nullopt;
    CalibrationPoint p;
    p.name = Field(f, 0);
    p.x = *x;
    p.y = *y;
    const auto lat = Angle(f, 6, u'S');
    const auto lon = Angle(f, 9, u'W');
    if (lat && lon) {
        p.degrees = TGeoPoint{*lat, *lon};
        return p;
    }
    const auto easting = Number(Field(f, 14));
    const auto northing = Number(Field(f, 15));
    if (!easting || !northing)
        return std::nullopt;
    p.hasGrid = true;
    p.easting = *easting;
    p.northing = *northing;
    // Only a UTM zone means anything here; a huge number must not reach the cast.
    const double zone = Number(Field(f, 13)).value_or(0.0);
    p.zone = zone >= 1.0 && zone < 61.0 ? static_cast<int>(zone) : 0;
    p.south = Field(f, 16).startsWith(u'S', Qt::CaseInsensitive);
    return p;
}

// The MMPXY and MMPLL lines after the MMPNUM line, each list whole or empty.
void ReadBorder(const QStringList& lines, MapCalibration& c)
{
    try {
        const SheetMmpnum mmpnum = FindSheetMmpnum(lines);
        if (mmpnum.count < 3)
            return;
        std::vector<TPixel> border;
        for (int32_t k = 1; k <= mmpnum.count; ++k) {
            TPixel p;
            if (!ReadMMPXY(lines, qint64{mmpnum.line} + k, k, p))
                return;
            border.push_back(p);
        }
        c.border = std::move(border);
        TPolygon latLon;
        for (int32_t k = 1; k <= mmpnum.count; ++k) {
            TGeoPoint p;
            if (!ReadMMPLL(lines, qint64{mmpnum.line} + mmpnum.count + k, k, p))
                return;
            latLon.push_back(p);
        }
        c.borderLatLon = std::move(latLon);
    } catch (const TessError&) {
        // a damaged line leaves its list empty
    }
}

}  // namespace

MapCalibration ReadMapCalibration(const QStringList& lines)
{
    MapCalibration c;
    if (lines.size() > 4)
        c.datum = Field(SplitMapLine(lines[4]), 0);
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1StringView("Point"), Qt::CaseInsensitive)) {
            if (auto p = ReadPoint(line))
                c.points.push_back(std::move(*p));
        } else if (line.startsWith(QLatin1StringView("Map Projection"), Qt::CaseInsensitive)) {
            c.projection = Field(SplitMapLine(line), 1);
        } else if (line.startsWith(QLatin1StringView("Projection Setup"), Qt::CaseInsensitive)) {
            const QStringList f = SplitMapLine(line);
            for (std::size_t i = 0; i < c.setup.size(); ++i)
                c.setup[i] = Number(Field(f, static_cast<qsizetype>(i) + 1));
        } else if (line.startsWith(QLatin1StringView("IWH"), Qt::CaseInsensitive)) {
            const QStringList f = SplitMapLine(line);
            const auto w = Number(Field(f, 2));
            const auto h = Number(Field(f, 3));
            if (w && h && *w > 0 && *h > 0 && *w <= INT32_MAX && *h <= INT32_MAX)
                c.imageSize = TPixel{static_cast<int32_t>(*w), static_cast<int32_t>(*h)};
        }
    }
    ReadBorder(lines, c);
    return c;
}
