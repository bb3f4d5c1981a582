#include "workflow/GeoJsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
        return QJsonObject{{"type", "Polygon"}, {"coordinates", Rings(polygons.front())}};
    QJsonArray parts;
    for (const Ring& ring : polygons)
        parts.append(Rings(ring));
    return QJsonObject{{"type", "MultiPolygon"}, {"coordinates", parts}};
}

QJsonObject Properties(const OutlineFeature& f)
{
    QJsonObject p{{"file", f.file}, {"kind", f.kind}};
    if (f.kind == u"index")
        return p;
    p.insert("name", f.name);
    p.insert("image", f.image);
    p.insert("usable", f.usable);
    if (!f.problem.isEmpty())
        p.insert("problem", f.problem);
    if (!f.nomenclature.isEmpty()) {
        p.insert("nomenclature", f.nomenclature);
        p.insert("scale", f.scale);
    }
    return p;
}

}  // namespace

QByteArray WriteGeoJson(const SheetIndex& index)
{
    QJsonArray features;
    for (const OutlineFeature& f : index.features) {
        features.append(QJsonObject{
            {"type", "Feature"}, {"properties", Properties(f)}, {"geometry", Geometry(f.polygons)}});
    }
    QJsonObject collection{{"type", "FeatureCollection"}, {"features", features}};
    if (index.southWest) {
        collection.insert("bbox", QJsonArray{RoundDegrees(index.southWest->lon), RoundDegrees(index.southWest->lat),
                                             RoundDegrees(index.northEast->lon), RoundDegrees(index.northEast->lat)});
    }
    return QJsonDocument(collection).toJson(QJsonDocument::Compact);
}
