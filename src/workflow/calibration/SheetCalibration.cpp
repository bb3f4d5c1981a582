// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/calibration/SheetCalibration.h"

#include "formats/ozi/OziDatums.h"

#include <algorithm>
#include <cmath>

namespace {

bool Is(const QString& name, const char* known) { return name.compare(QLatin1StringView(known), Qt::CaseInsensitive) == 0; }

QString Num(double v) { return QString::number(v, 'g', 17); }

// The UTM zone from the first point that gives one, else from the first
// point's longitude.
std::optional<std::pair<int, bool>> UtmZone(const MapCalibration& c)
{
    for (const CalibrationPoint& p : c.points) {
        if (p.hasGrid && p.zone >= 1 && p.zone <= 60)
            return std::pair{p.zone, p.south};
    }
    for (const CalibrationPoint& p : c.points) {
        if (p.degrees) {
            const int zone = std::clamp(static_cast<int>(std::floor((p.degrees->Lon + 180.0) / 6.0)) + 1, 1, 60);
            return std::pair{zone, p.degrees->Lat < 0.0};
        }
    }
    return std::nullopt;
}

}  // namespace

ProjectionChoice ProjectionDefinition(const MapCalibration& c, const ProjTransforms::Ellipsoid& ellipsoid)
{
    const ProjectionSetup& s = c.setup;
    const auto value = [&](SetupField f, double fallback) { return Num(s[f].value_or(fallback)); };
    const QString offsets = QStringLiteral(" +x_0=%1 +y_0=%2").arg(value(kFalseEasting, 0.0), value(kFalseNorthing, 0.0));
    const QString& name = c.projection;
    ProjectionChoice choice;
    if (Is(name, "Latitude/Longitude")) {
        choice.latLon = true;
        return choice;
    }
    if (Is(name, "Mercator")) {
        choice.definition = QStringLiteral("+proj=merc +lon_0=%1 +k_0=%2").arg(value(kLonOrigin, 0.0), value(kScale, 1.0)) + offsets;
    } else if (Is(name, "Transverse Mercator")) {
        choice.definition = QStringLiteral("+proj=tmerc +lat_0=%1 +lon_0=%2 +k_0=%3")
                                .arg(value(kLatOrigin, 0.0), value(kLonOrigin, 0.0), value(kScale, 1.0)) + offsets;
    } else if (Is(name, "(UTM) Universal Transverse Mercator")) {
        const auto zone = UtmZone(c);
        if (!zone) {
            choice.error = QStringLiteral("no UTM zone");
            return choice;
        }
        choice.definition = QStringLiteral("+proj=utm +zone=%1%2").arg(zone->first).arg(zone->second ? " +south" : "");
    } else if (Is(name, "Lambert Conformal Conic")) {
        if (!s[kParallel1] || !s[kParallel2]) {
            choice.error = QStringLiteral("no standard parallels");
            return choice;
        }
        choice.definition = QStringLiteral("+proj=lcc +lat_0=%1 +lon_0=%2 +lat_1=%3 +lat_2=%4")
                                .arg(value(kLatOrigin, 0.0), value(kLonOrigin, 0.0), Num(*s[kParallel1]), Num(*s[kParallel2])) +
                            offsets;
    } else if (Is(name, "Sinusoidal")) {
        choice.definition = QStringLiteral("+proj=sinu +lon_0=%1").arg(value(kLonOrigin, 0.0)) + offsets;
    } else if (Is(name, "Van der Grinten")) {
        choice.definition = QStringLiteral("+proj=vandg +lon_0=%1").arg(value(kLonOrigin, 0.0)) + offsets;
    } else {
        choice.error = QStringLiteral("unknown projection \"%1\"").arg(name);
        return choice;
    }
    choice.definition += ellipsoid.rf > 0.0 ? QStringLiteral(" +a=%1 +rf=%2").arg(Num(ellipsoid.a), Num(ellipsoid.rf))
                                            : QStringLiteral(" +R=%1").arg(Num(ellipsoid.a));
    return choice;
}

std::optional<TGeoPoint> PixelInDatum(const SheetCalibration& s, ProjTransforms& proj, PlanePoint pixel, bool verify)
{
    const PlanePoint plane = s.fit.apply(pixel);
    if (!s.latLon)
        return proj.inverse(s.projection, plane, verify);
    if (!std::isfinite(plane.x) || !std::isfinite(plane.y) || std::abs(plane.y) > 90.0)
        return std::nullopt;
    return TGeoPoint{plane.y, plane.x};
}

std::optional<TGeoPoint> PixelInWgs84(const SheetCalibration& s, ProjTransforms& proj, PlanePoint pixel)
{
    const auto p = PixelInDatum(s, proj, pixel);
    if (!p || s.epsg == 4326)
        return p;
    return proj.toWgs84(s.datum, *p);
}

SheetCalibration CalibrateSheet(const MapCalibration& c, ProjTransforms& proj, bool outline)
{
    SheetCalibration s;
    const auto epsg = DatumEpsgCode(c.datum);
    const auto ellipsoid = epsg ? proj.ellipsoid(*epsg) : std::nullopt;
    if (!ellipsoid) {
        s.failure = QStringLiteral("unknown datum \"%1\"").arg(c.datum);
        return s;
    }
    s.epsg = *epsg;
    const ProjectionChoice choice = ProjectionDefinition(c, *ellipsoid);
    if (!choice.error.isEmpty()) {
        s.failure = choice.error;
        return s;
    }
    s.latLon = choice.latLon;
    if (!s.latLon && (s.projection = proj.projection(choice.definition)) < 0) {
        s.failure = QStringLiteral("unknown projection \"%1\"").arg(c.projection);
        return s;
    }
    if (s.epsg != 4326 && (s.datum = proj.datum(s.epsg)) < 0) {
        s.failure = QStringLiteral("no transformation of \"%1\" to WGS 84").arg(c.datum);
        return s;
    }

    std::vector<FitPair> pairs;
    std::vector<const CalibrationPoint*> used;
    for (const CalibrationPoint& p : c.points) {
        std::optional<PlanePoint> plane;
        if (p.degrees)
            plane = s.latLon ? std::optional(PlanePoint{p.degrees->Lon, p.degrees->Lat}) : proj.forward(s.projection, *p.degrees);
        else if (!s.latLon)
            plane = PlanePoint{p.easting, p.northing};
        if (plane) {
            pairs.push_back({{p.x, p.y}, *plane});
            used.push_back(&p);
        }
    }
    if (pairs.size() < 2) {
        s.failure = QStringLiteral("fewer than two calibration points");
        return s;
    }
    const auto fit = FitAffine(pairs);
    const auto back = fit ? fit->inverse() : std::nullopt;
    if (!back) {
        s.failure = QStringLiteral("the calibration points do not fix the image");
        return s;
    }
    s.fit = *fit;

    double sum = 0.0;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const PlanePoint at = back->apply(pairs[i].plane);
        PointResidual r{used[i]->name, std::hypot(at.x - pairs[i].pixel.x, at.y - pairs[i].pixel.y), 0.0};
        // The points lie on the map: their inverses need no check.
        const auto fitted = PixelInDatum(s, proj, pairs[i].pixel, false);
        const auto own = used[i]->degrees ? used[i]->degrees : proj.inverse(s.projection, pairs[i].plane, false);
        if (fitted && own)
            r.m = proj.distance(*fitted, *own);
        sum += r.px * r.px;
        s.residuals.push_back(r);
    }
    s.rmsPx = std::sqrt(sum / static_cast<double>(pairs.size()));
    if (!outline)
        return s;

    std::vector<PlanePoint> corners;
    for (const TPixel& p : c.border)
        corners.push_back({static_cast<double>(p.X), static_cast<double>(p.Y)});
    if (corners.empty() && c.imageSize) {
        const double w = c.imageSize->X, h = c.imageSize->Y;
        corners = {{0.0, 0.0}, {w, 0.0}, {w, h}, {0.0, h}};
    }
    if (corners.empty()) {
        s.outlineProblem = QStringLiteral("no border and no image size");
        return s;
    }
    for (const PlanePoint& corner : corners) {
        const auto p = PixelInWgs84(s, proj, corner);
        if (!p) {
            s.outline.clear();
            s.outlineProblem = QStringLiteral("its corners fall off the globe");
            return s;
        }
        s.outline.push_back(*p);
    }
    return s;
}

ProjTransforms& WorkspaceProj(Workspace& ws)
{
    if (!ws.proj)
        ws.proj = std::make_shared<ProjTransforms>();
    return *ws.proj;
}
