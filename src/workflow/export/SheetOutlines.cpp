// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/export/SheetOutlines.h"

#include "geometry/Nomenclature.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

// Twice the signed area in degrees: positive counter-clockwise.
double SignedArea(const Ring& ring)
{
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        sum += ring[i].lon * ring[i + 1].lat - ring[i + 1].lon * ring[i].lat;
    return sum;
}

// The part of a closed ring on one side of the meridian `cut`, shifted by
// `shift` degrees. Sheets are convex quadrilaterals, for which clipping
// against a half-plane gives one ring.
Ring ClipAt(const Ring& ring, double cut, bool keepWest, double shift)
{
    const auto inside = [&](const LonLat& p) { return keepWest ? p.lon <= cut : p.lon >= cut; };
    Ring out;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
        const LonLat& a = ring[i];
        const LonLat& b = ring[i + 1];
        if (inside(a))
            out.push_back({a.lon + shift, a.lat});
        if (inside(a) != inside(b)) {
            const double t = (cut - a.lon) / (b.lon - a.lon);
            out.push_back({cut + shift, a.lat + t * (b.lat - a.lat)});
        }
    }
    if (out.size() < 3)
        return {};
    out.push_back(out.front());
    return out;
}

void Extend(SheetIndex& index, const LonLat& p)
{
    if (!index.southWest) {
        index.southWest = p;
        index.northEast = p;
        return;
    }
    index.southWest = LonLat{std::min(index.southWest->lon, p.lon), std::min(index.southWest->lat, p.lat)};
    index.northEast = LonLat{std::max(index.northEast->lon, p.lon), std::max(index.northEast->lat, p.lat)};
}

}  // namespace

std::vector<Ring> OutlinePolygons(const TPolygon& corners)
{
    if (corners.size() < 3)
        return {};
    Ring ring;
    for (const TGeoPoint& p : corners) {
        double lon = p.Lon;
        // Each edge takes the short way round, so a sheet written as 179°
        // and -179° stays 2° wide.
        if (!ring.empty()) {
            while (lon - ring.back().lon > 180.0)
                lon -= 360.0;
            while (lon - ring.back().lon < -180.0)
                lon += 360.0;
        }
        ring.push_back({lon, p.Lat});
    }
    ring.push_back(ring.front());
    if (SignedArea(ring) < 0.0)
        std::reverse(ring.begin(), ring.end());

    const auto [low, high] = std::minmax_element(ring.begin(), ring.end(),
                                                 [](const LonLat& a, const LonLat& b) { return a.lon < b.lon; });
    // Brought round so that its west end lies within ±180°.
    const double turn = low->lon < -180.0 ? 360.0 : (low->lon >= 180.0 ? -360.0 : 0.0);
    for (LonLat& p : ring)
        p.lon += turn;
    if (high->lon <= 180.0)
        return {ring};
    std::vector<Ring> parts;
    for (Ring part : {ClipAt(ring, 180.0, true, 0.0), ClipAt(ring, 180.0, false, -360.0)}) {
        if (!part.empty())
            parts.push_back(std::move(part));
    }
    return parts;
}

SheetIndex CollectSheetIndex(const MapData& data, const QString& indexMapFile)
{
    SheetIndex index;
    OutlineFeature map;
    map.file = QFileInfo(indexMapFile).fileName();
    map.kind = FeatureKind::Index;
    map.usable = data.IndexMap.IsOk;
    if (data.IndexMap.LatLon.size() == 4)
        map.polygons = OutlinePolygons(data.IndexMap.LatLon);
    index.features.push_back(std::move(map));

    for (const TSingleMap& sheet : data.Maps) {
        OutlineFeature f;
        f.file = sheet.FileName;
        f.kind = FeatureKind::Sheet;
        f.name = sheet.MapName;
        f.image = sheet.ImageFile;
        f.usable = sheet.IsOk;
        f.problem = SheetProblemText(sheet.Problem);
        if (CornersRead(sheet))
            f.polygons = OutlinePolygons(sheet.LatLon);
        if (const auto cell = StandardSheetOf(sheet)) {
            f.nomenclature = cell->name;
            f.scale = cell->scale;
        }
        index.features.push_back(std::move(f));
    }
    for (const OutlineFeature& f : index.features) {
        for (const Ring& ring : f.polygons) {
            for (const LonLat& p : ring)
                Extend(index, p);
        }
    }
    return index;
}
