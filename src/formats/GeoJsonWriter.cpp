// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/GeoJsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <utility>

namespace {

QJsonArray Position(const LonLat& p) { return QJsonArray{RoundDegrees(p.lon), RoundDegrees(p.lat)}; }

// A polygon's rings: here the outer ring alone.
QJsonArray Rings(const Ring& ring)
{
    QJsonArray positions;
    for (const LonLat& p : ring)
        positions.append(Position(p));
    return QJsonArray{positions};
}

QJsonValue Geometry(const std::vector<Ring>& polygons)
{
    if (polygons.empty())
        return QJsonValue::Null;
    if (polygons.size() == 1)
        return QJsonObject{{QStringLiteral("type"), QStringLiteral("Polygon")},
                           {QStringLiteral("coordinates"), Rings(polygons.front())}};
    QJsonArray parts;
    for (const Ring& ring : polygons)
        parts.append(Rings(ring));
    return QJsonObject{{QStringLiteral("type"), QStringLiteral("MultiPolygon")}, {QStringLiteral("coordinates"), parts}};
}

// Label, availability and identifier on every feature, even empty; the
// others where they say something.
void AddOpenIndexFields(QJsonObject& p, const OpenIndexFields& o)
{
    p.insert(QStringLiteral("label"), o.label);
    p.insert(QStringLiteral("available"), o.available);
    p.insert(QStringLiteral("recordIdentifier"), o.recordIdentifier);
    for (const auto& [key, value] : {std::pair{"title", &o.title}, {"downloadUrl", &o.downloadUrl}, {"thumbUrl", &o.thumbUrl}, {"note", &o.note}}) {
        if (!value->isEmpty())
            p.insert(QLatin1StringView(key), *value);
    }
}

QJsonObject Properties(const OutlineFeature& f)
{
    QJsonObject p{{QStringLiteral("file"), f.file}, {QStringLiteral("kind"), FeatureKindText(f.kind)}};
    if (f.openIndex)
        AddOpenIndexFields(p, *f.openIndex);
    if (f.kind == FeatureKind::Index)
        return p;
    p.insert(QStringLiteral("name"), f.name);
    p.insert(QStringLiteral("image"), f.image);
    p.insert(QStringLiteral("usable"), f.usable);
    if (!f.problem.isEmpty())
        p.insert(QStringLiteral("problem"), f.problem);
    if (!f.nomenclature.isEmpty()) {
        p.insert(QStringLiteral("nomenclature"), f.nomenclature);
        p.insert(QStringLiteral("scale"), f.scale);
    }
    if (!f.outline.isEmpty())
        p.insert(QStringLiteral("outline"), f.outline);
    if (!f.format.isEmpty())
        p.insert(QStringLiteral("format"), f.format);
    if (!f.calibration.isEmpty())
        p.insert(QStringLiteral("calibration"), f.calibration);
    if (f.calibrationM)
        p.insert(QStringLiteral("calibration_m"), std::round(*f.calibrationM * 10.0) / 10.0);
    return p;
}

}  // namespace

QByteArray WriteGeoJson(const SheetIndex& index)
{
    // Each feature is its own small document: one tree of 20,000 features
    // costs more in copying than the text itself.
    QByteArray out("{\"type\":\"FeatureCollection\"");
    out.reserve(static_cast<qsizetype>(index.features.size()) * 320 + 256);
    if (index.southWest) {
        const QJsonArray bbox{RoundDegrees(index.southWest->lon), RoundDegrees(index.southWest->lat),
                              RoundDegrees(index.northEast->lon), RoundDegrees(index.northEast->lat)};
        out += ",\"bbox\":" + QJsonDocument(bbox).toJson(QJsonDocument::Compact);
    }
    out += ",\"features\":[";
    for (std::size_t i = 0; i < index.features.size(); ++i) {
        const OutlineFeature& f = index.features[i];
        if (i > 0)
            out += ',';
        const QJsonObject feature{{QStringLiteral("type"), QStringLiteral("Feature")},
                                  {QStringLiteral("properties"), Properties(f)},
                                  {QStringLiteral("geometry"), Geometry(f.polygons)}};
        out += QJsonDocument(feature).toJson(QJsonDocument::Compact);
    }
    out += "]}\n";
    return out;
}
