// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/calibration/RasterOutline.h"

#include "workflow/calibration/ProjTransforms.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

constexpr char kWgs84[] = "EPSG:4326";
constexpr double kCollarShare = 0.1;

std::vector<PlanePoint> FootprintPixels(const RasterFile& r)
{
    const double w = r.width, h = r.height;
    return {{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}};
}

// Plane points of the raster's system into another system's degrees;
// nothing when one of them has no place there.
std::optional<TPolygon> ToDegrees(ProjTransforms& proj, int transformation, const std::vector<PlanePoint>& points)
{
    TPolygon out;
    for (const PlanePoint& p : points) {
        const auto q = proj.transform(transformation, p);
        if (!q || std::abs(q->y) > 90.0)
            return std::nullopt;
        out.push_back({q->y, q->x});
    }
    return out;
}

std::vector<PlanePoint> Apply(const Affine& fit, const std::vector<PlanePoint>& pixels)
{
    std::vector<PlanePoint> plane;
    for (const PlanePoint& p : pixels)
        plane.push_back(fit.apply(p));
    return plane;
}

std::optional<SheetCell> NamedCell(const RasterFile& r)
{
    for (const QString& name : {QFileInfo(r.name).completeBaseName(), r.title}) {
        if (const auto cell = ReadSheetName(name.trimmed()).cell)
            return cell;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Affine> RasterPixelToPlane(const RasterFile& r)
{
    if (r.geoTransform) {
        const auto& g = *r.geoTransform;
        return Affine{g[1], g[2], g[0], g[4], g[5], g[3]};
    }
    std::vector<FitPair> pairs;
    for (const RasterGcp& gcp : r.gcps)
        pairs.push_back({gcp.pixel, gcp.plane});
    return FitAffine(pairs);
}

bool CellInsideFootprint(const SheetCell& cell, const TPolygon& footprint)
{
    const TPolygon corners = CellCorners(cell);
    return std::none_of(corners.begin(), corners.end(), [&](const TGeoPoint& p) { return PointInPolygon(p, footprint) == 0; });
}

bool CellFitsFootprint(const SheetCell& cell, const TPolygon& footprint)
{
    if (!CellInsideFootprint(cell, footprint))
        return false;
    const LatLonBox box = BoundingBox(footprint);
    const double width = cell.east - cell.west, height = cell.north - cell.south;
    return cell.west - box.west <= kCollarShare * width && box.east - cell.east <= kCollarShare * width &&
           box.north - cell.north <= kCollarShare * height && cell.south - box.south <= kCollarShare * height;
}

NamedFootprint NamedSheetFootprint(const RasterFile& r, ProjTransforms& proj)
{
    NamedFootprint named;
    named.cell = NamedCell(r);
    const auto fit = RasterPixelToPlane(r);
    if (!named.cell || !fit || r.crsWkt.isEmpty())
        return named;
    const int toDatum = proj.transformation(r.crsWkt, proj.geographicCrs(r.crsWkt));
    named.footprint = ToDegrees(proj, toDatum, Apply(*fit, FootprintPixels(r))).value_or(TPolygon());
    return named;
}

RasterOutline OutlineRaster(const RasterFile& r, ProjTransforms& proj)
{
    RasterOutline out;
    if (!r.readable) {
        out.problem = SheetProblem::CannotBeRead;
        out.detail = r.detail;
        return out;
    }
    const auto fit = RasterPixelToPlane(r);
    if (!fit) {
        out.problem = SheetProblem::NoGeoreferencing;
        return out;
    }
    const int toWgs84 = r.crsWkt.isEmpty() ? -1 : proj.transformation(r.crsWkt, kWgs84);
    if (toWgs84 < 0) {
        out.problem = SheetProblem::NoCoordinateSystem;
        return out;
    }
    const auto footprint = ToDegrees(proj, toWgs84, Apply(*fit, FootprintPixels(r)));
    if (r.neatline.size() >= 3) {
        if (const auto neatline = ToDegrees(proj, toWgs84, r.neatline)) {
            out.source = OutlineSource::Neatline;
            out.corners = *neatline;
            return out;
        }
    }
    const NamedFootprint named = NamedSheetFootprint(r, proj);
    if (named.cell && !named.footprint.empty() && CellInsideFootprint(*named.cell, named.footprint)) {
        const int fromDatum = proj.transformation(proj.geographicCrs(r.crsWkt), kWgs84);
        std::vector<PlanePoint> cell;
        for (const TGeoPoint& p : CellCorners(*named.cell))
            cell.push_back({p.Lon, p.Lat});
        if (const auto corners = ToDegrees(proj, fromDatum, cell)) {
            out.source = OutlineSource::Nomenclature;
            out.corners = *corners;
            return out;
        }
    }
    if (!footprint) {
        out.problem = SheetProblem::OffTheGlobe;
        return out;
    }
    out.corners = *footprint;
    return out;
}
