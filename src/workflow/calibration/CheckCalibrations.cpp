// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/calibration/CheckCalibrations.h"

#include "geometry/Nomenclature.h"
#include "workflow/calibration/RasterOutline.h"
#include "workflow/calibration/SheetCalibration.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

namespace {

constexpr double kAgreePx = 2.0;
// A latitude this close to ±90° is a pole: every longitude is the same point
// there, so such an MMPLL corner says nothing that could be compared.
constexpr double kPoleLat = 90.0 - 1e-9;

struct Measure {
    double metres = 0.0, pixels = 0.0;          // in WGS 84
    double datumMetres = 0.0, datumPixels = 0.0;  // without the datum shift
    std::size_t worstCorner = 0;                // 1-based: the one furthest off in WGS 84
};

const QString kNoBorder = QStringLiteral("no border");

QString Fixed(const Workspace& ws, double v)
{
    QString text = QString::number(v, 'f', 1);
    return text.replace(u'.', ws.decimalPoint);
}

// The MMPLL corners against the MMPXY points carried through the
// calibration; the reason when it cannot be measured.
std::variant<Measure, QString> MeasureBorder(const MapCalibration& c, const SheetCalibration& s, ProjTransforms& proj)
{
    if (c.border.empty())
        return kNoBorder;
    if (c.borderLatLon.size() != c.border.size())
        return QStringLiteral("no good MMPLL");
    Measure m;
    std::size_t measured = 0;
    for (std::size_t k = 0; k < c.border.size(); ++k) {
        const TGeoPoint& mmpll = c.borderLatLon[k];
        if (std::abs(mmpll.Lat) >= kPoleLat)
            continue;
        const PlanePoint px{static_cast<double>(c.border[k].X), static_cast<double>(c.border[k].Y)};
        const auto inDatum = PixelInDatum(s, proj, px);
        const auto nextInDatum = PixelInDatum(s, proj, {px.x + 1.0, px.y});
        const auto inWgs84 = !inDatum || s.epsg == 4326 ? inDatum : proj.toWgs84(s.datum, *inDatum);
        if (!inDatum || !nextInDatum || !inWgs84)
            return QStringLiteral("a corner falls off the globe");
        const double pixel = proj.distance(*inDatum, *nextInDatum);
        if (!(pixel > 1e-6))
            return QStringLiteral("a corner where a pixel has no width");
        const double wgs = proj.distance(mmpll, *inWgs84);
        const double datum = proj.distance(mmpll, *inDatum);
        if (measured == 0 || wgs / pixel > m.pixels)
            m.worstCorner = k + 1;
        m.metres = std::max(m.metres, wgs);
        m.pixels = std::max(m.pixels, wgs / pixel);
        m.datumMetres = std::max(m.datumMetres, datum);
        m.datumPixels = std::max(m.datumPixels, datum / pixel);
        ++measured;
    }
    if (measured == 0)
        return QStringLiteral("every MMPLL corner is at a pole");
    return m;
}

CalibrationCheck Judge(Workspace& ws, const MapCalibration& c, const SheetCalibration& s)
{
    CalibrationCheck check;
    const auto measured = MeasureBorder(c, s, WorkspaceProj(ws));
    if (const auto* reason = std::get_if<QString>(&measured)) {
        // Without a border or an outline the sheet has nothing to go on:
        // one line says both.
        if (*reason == kNoBorder && !s.outlineProblem.isEmpty()) {
            ws.log.append(QStringLiteral("...cannot be checked: no border, and no calibrated outline: ") + s.outlineProblem);
            return check;
        }
        ws.log.append(QStringLiteral("...cannot be checked: ") + *reason);
        if (*reason == kNoBorder)
            ws.log.append(QStringLiteral("...to outline it from its calibration, choose Sheet corners \"MMPLL, else calibration\""));
        return check;
    }
    const Measure& m = std::get<Measure>(measured);
    check.metres = m.metres;
    const QString off = QStringLiteral("%1 m (%2 px)").arg(Fixed(ws, m.metres), Fixed(ws, m.pixels));
    if (m.pixels <= kAgreePx) {
        check.verdict = CalibrationVerdict::Agrees;
        ws.log.append(QStringLiteral("...agrees: MMPLL within ") + off);
    } else if (s.epsg != 4326 && m.datumPixels <= kAgreePx) {
        check.verdict = CalibrationVerdict::MapDatum;
        ws.log.append(QStringLiteral("...MMPLL in the map's datum: %1 off in WGS 84, %2 m (%3 px) without the datum shift")
                          .arg(off, Fixed(ws, m.datumMetres), Fixed(ws, m.datumPixels)));
        ws.log.append(QStringLiteral("...to draw it where it lies, choose Sheet corners \"Calibration\""));
    } else {
        check.verdict = CalibrationVerdict::Disagrees;
        ws.log.append(QStringLiteral("...disagrees by ") + off);
        ws.log.append(QStringLiteral("...re-calibrate it: MMPLL corner %1 is the furthest off (%2 px)")
                          .arg(m.worstCorner)
                          .arg(Fixed(ws, m.pixels)));
    }
    return check;
}

// "...named L-36-068 but outlines L-36-069" when the file or map name reads
// as a sheet and the outline is recognised as another one.
void CheckName(Workspace& ws, const TSingleMap& sheet, const TPolygon& outline)
{
    if (outline.empty())
        return;
    const auto cell = RecogniseSheet(outline);
    if (!cell)
        return;
    for (const QString& name : {QFileInfo(sheet.FileName).completeBaseName(), sheet.MapName.trimmed()}) {
        const SheetNameReading named = ReadSheetName(name);
        if (!named.cell)
            continue;
        if (named.cell->name != cell->name)
            ws.log.append(QStringLiteral("...named %1 but outlines %2").arg(named.cell->name, cell->name));
        return;
    }
}

CalibrationCheck CheckSheet(Workspace& ws, const TSingleMap& sheet, const MapCalibration& c)
{
    // With a whole border the measurement carries its corners through the
    // calibration; the outline is worked out only where it adds a finding.
    const bool border = !c.border.empty() && c.borderLatLon.size() == c.border.size();
    const SheetCalibration s = CalibrateSheet(c, WorkspaceProj(ws), !border || !CornersRead(sheet));
    ws.log.append(QStringLiteral("...datum %1, projection %2").arg(c.datum, c.projection));
    if (!s.failure.isEmpty()) {
        ws.log.append(QStringLiteral("...cannot be checked: ") + s.failure);
        CheckName(ws, sheet, CornersRead(sheet) ? sheet.LatLon : TPolygon());
        return {};
    }
    ws.log.append(QStringLiteral("...%1 points, RMS %2 px").arg(s.residuals.size()).arg(Fixed(ws, s.rmsPx)));
    for (const PointResidual& r : s.residuals) {
        if (r.px > kAgreePx)
            ws.log.append(QStringLiteral("...%1 is %2 px off the fit").arg(r.name, Fixed(ws, r.px)));
    }
    if (!s.outlineProblem.isEmpty() && !c.border.empty())
        ws.log.append(QStringLiteral("...no calibrated outline: ") + s.outlineProblem);
    const CalibrationCheck check = Judge(ws, c, s);
    CheckName(ws, sheet, CornersRead(sheet) ? sheet.LatLon : s.outline);
    return check;
}

// The ground control points' residuals against their fit; the largest in
// metres, or nothing when there are too few to fit.
std::optional<double> LogGcpResiduals(Workspace& ws, const RasterFile& r)
{
    std::vector<FitPair> pairs;
    for (const RasterGcp& gcp : r.gcps)
        pairs.push_back({gcp.pixel, gcp.plane});
    const auto fit = FitAffine(pairs);
    const auto back = fit ? fit->inverse() : std::nullopt;
    if (!back)
        return std::nullopt;
    ProjTransforms& proj = WorkspaceProj(ws);
    const int toWgs84 = r.crsWkt.isEmpty() ? -1 : proj.transformation(r.crsWkt, "EPSG:4326");
    double sum = 0.0, worstPx = 0.0, worstM = 0.0;
    QStringList off;
    for (const RasterGcp& gcp : r.gcps) {
        const PlanePoint at = back->apply(gcp.plane);
        const double px = std::hypot(at.x - gcp.pixel.x, at.y - gcp.pixel.y);
        const auto fitted = proj.transform(toWgs84, fit->apply(gcp.pixel));
        const auto own = proj.transform(toWgs84, gcp.plane);
        if (fitted && own)
            worstM = std::max(worstM, proj.distance({fitted->y, fitted->x}, {own->y, own->x}));
        sum += px * px;
        worstPx = std::max(worstPx, px);
        if (px > kAgreePx)
            off.append(QStringLiteral("...%1 is %2 px off the fit").arg(gcp.id, Fixed(ws, px)));
    }
    ws.log.append(QStringLiteral("...%1 points, RMS %2 px")
                      .arg(r.gcps.size())
                      .arg(Fixed(ws, std::sqrt(sum / static_cast<double>(r.gcps.size())))));
    for (const QString& line : off)
        ws.log.append(line);
    return worstPx > kAgreePx ? -worstM : worstM;
}

CalibrationCheck CheckRaster(Workspace& ws, const TSingleMap& sheet, const RasterFile& r)
{
    CalibrationCheck check;
    ws.log.append(QStringLiteral("...coordinate system ") +
                  (r.crsName.isEmpty() ? QStringLiteral("none") : r.crsName));
    if (!r.readable || !CornersRead(sheet)) {
        ws.log.append(QStringLiteral("...cannot be checked: ") + SheetProblemText(sheet.Problem));
        return check;
    }
    std::optional<double> gcps;
    if (!r.geoTransform && !r.gcps.empty())
        gcps = LogGcpResiduals(ws, r);
    if (gcps) {
        check.metres = std::abs(*gcps);
        check.verdict = *gcps < 0.0 ? CalibrationVerdict::Disagrees : CalibrationVerdict::Agrees;
    }
    const NamedFootprint named = NamedSheetFootprint(r, WorkspaceProj(ws));
    if (!named.cell) {
        if (!gcps)
            ws.log.append(QStringLiteral("...cannot be checked: no ground control points and no sheet name"));
        return check;
    }
    if (named.footprint.empty()) {
        ws.log.append(QStringLiteral("...cannot be checked: its corners have no place in its datum"));
        return check;
    }
    if (CellFitsFootprint(*named.cell, named.footprint)) {
        ws.log.append(QStringLiteral("...agrees: %1 lies within its footprint").arg(named.cell->name));
        if (check.verdict == CalibrationVerdict::Unchecked)
            check.verdict = CalibrationVerdict::Agrees;
    } else {
        ws.log.append(QStringLiteral("...disagrees: named %1, but that sheet is not within its footprint with a collar "
                                     "of at most a tenth of the sheet")
                          .arg(named.cell->name));
        check.verdict = CalibrationVerdict::Disagrees;
    }
    return check;
}

}  // namespace

QString VerdictKeyword(CalibrationVerdict verdict)
{
    switch (verdict) {
    case CalibrationVerdict::Agrees: return QStringLiteral("agrees");
    case CalibrationVerdict::MapDatum: return QStringLiteral("map-datum");
    case CalibrationVerdict::Disagrees: return QStringLiteral("disagrees");
    case CalibrationVerdict::Unchecked: break;
    }
    return QStringLiteral("unchecked");
}

void CheckCalibrations(Workspace& ws)
{
    ws.log.blank();
    ws.log.append(QStringLiteral("Checking calibrations..."));
    ws.log.blank();
    auto checks = std::make_shared<std::vector<CalibrationCheck>>();
    std::array<int, 4> totals{};
    for (std::size_t i = 0; i < ws.data.Maps.size(); ++i) {
        const TSingleMap& sheet = ws.data.Maps[i];
        ws.log.append(sheet.FileName);
        CalibrationCheck check;
        try {
            if (i < ws.sources.size())
                check = ws.sources[i].raster ? CheckRaster(ws, sheet, *ws.sources[i].raster)
                                             : CheckSheet(ws, sheet, ws.sources[i].calibration);
        } catch (const std::exception& error) {
            ws.log.append(QStringLiteral("...cannot be checked: ") + QString::fromUtf8(error.what()));
        }
        ws.log.blank();
        ++totals[static_cast<std::size_t>(check.verdict)];
        checks->push_back(check);
    }
    ws.checks = checks;
    ws.log.blank();
    ws.log.append(QStringLiteral("%1 calibrations checked").arg(ws.data.Maps.size()));
    ws.log.append(QStringLiteral("%1 agree").arg(totals[0]));
    ws.log.append(QStringLiteral("%1 have MMPLL in the map's datum").arg(totals[1]));
    ws.log.append(QStringLiteral("%1 disagree").arg(totals[2]));
    ws.log.append(QStringLiteral("%1 cannot be checked").arg(totals[3]));
}
