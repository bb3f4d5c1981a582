// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/OpenIndexMap.h"

#include "formats/GeoJsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Every property of the 1.0.0 schema.
constexpr std::array<std::pair<const char*, OpenIndexType>, 45> kFields{{
    {"label", OpenIndexType::Text},      {"labelAlt", OpenIndexType::Text},    {"labelAlt2", OpenIndexType::Text},
    {"datePub", OpenIndexType::Text},    {"date", OpenIndexType::Text},        {"west", OpenIndexType::Bound},
    {"east", OpenIndexType::Bound},      {"north", OpenIndexType::Bound},      {"south", OpenIndexType::Bound},
    {"location", OpenIndexType::Places}, {"scale", OpenIndexType::Text},       {"color", OpenIndexType::Text},
    {"title", OpenIndexType::Text},      {"titleAlt", OpenIndexType::Text},    {"dateSurvey", OpenIndexType::Text},
    {"datePhoto", OpenIndexType::Text},  {"dateReprnt", OpenIndexType::Text},  {"overprint", OpenIndexType::Text},
    {"edition", OpenIndexType::Text},    {"publisher", OpenIndexType::Text},   {"overlays", OpenIndexType::Text},
    {"projection", OpenIndexType::Text}, {"lcCallNo", OpenIndexType::Text},    {"contLines", OpenIndexType::Switch},
    {"contInterv", OpenIndexType::Text}, {"bathLines", OpenIndexType::Switch}, {"bathInterv", OpenIndexType::Text},
    {"primeMer", OpenIndexType::Text},   {"photomos", OpenIndexType::Switch},  {"bands", OpenIndexType::Text},
    {"rectificn", OpenIndexType::Text},  {"rollNo", OpenIndexType::Text},      {"inst", OpenIndexType::Text},
    {"sheetId", OpenIndexType::Text},    {"available", OpenIndexType::Switch}, {"physHold", OpenIndexType::Text},
    {"digHold", OpenIndexType::Text},    {"instCallNo", OpenIndexType::Text},  {"recId", OpenIndexType::Text},
    {"download", OpenIndexType::Text},   {"websiteUrl", OpenIndexType::Text},  {"thumbUrl", OpenIndexType::Text},
    {"iiifUrl", OpenIndexType::Text},    {"fileName", OpenIndexType::Text},    {"note", OpenIndexType::Text},
}};

struct Extent {
    double west = INFINITY;
    double east = -INFINITY;
    double south = INFINITY;
    double north = -INFINITY;

    void add(const Ring& ring)
    {
        for (const LonLat& p : ring) {
            west = std::min(west, p.lon);
            east = std::max(east, p.lon);
            south = std::min(south, p.lat);
            north = std::max(north, p.lat);
        }
    }
};

}  // namespace

OutlineBounds BoundsOf(const std::vector<Ring>& polygons)
{
    Extent all;
    for (const Ring& ring : polygons)
        all.add(ring);
    OutlineBounds b{all.west, all.east, all.north, all.south};
    if (polygons.size() > 1) {
        // The parts of an outline cut at 180°: the west end is where the part
        // that reaches 180° starts, the east end where the other one stops.
        Extent westPart, eastPart;
        for (const Ring& ring : polygons) {
            Extent part;
            part.add(ring);
            (part.east >= 180.0 ? westPart : eastPart).add(ring);
        }
        b.west = westPart.west;
        b.east = eastPart.east;
    }
    return {RoundDegrees(b.west), RoundDegrees(b.east), RoundDegrees(b.north), RoundDegrees(b.south)};
}

QByteArray WriteOpenIndexMap(const std::vector<OpenIndexFeature>& features)
{
    Extent box;
    for (const OpenIndexFeature& f : features) {
        for (const Ring& ring : f.polygons)
            box.add(ring);
    }
    QByteArray out("{\"type\":\"FeatureCollection\"");
    out.reserve(static_cast<qsizetype>(features.size()) * 480 + 256);
    if (box.west <= box.east) {
        const QJsonArray bbox{RoundDegrees(box.west), RoundDegrees(box.south), RoundDegrees(box.east),
                              RoundDegrees(box.north)};
        out += ",\"bbox\":" + QJsonDocument(bbox).toJson(QJsonDocument::Compact);
    }
    out += ",\"features\":[";
    bool first = true;
    for (const OpenIndexFeature& f : features) {
        if (f.polygons.empty())
            continue;
        QJsonObject properties = f.properties;
        const OutlineBounds b = BoundsOf(f.polygons);
        properties.insert(QStringLiteral("west"), b.west);
        properties.insert(QStringLiteral("east"), b.east);
        properties.insert(QStringLiteral("north"), b.north);
        properties.insert(QStringLiteral("south"), b.south);
        const QJsonObject feature{{QStringLiteral("type"), QStringLiteral("Feature")},
                                  {QStringLiteral("properties"), properties},
                                  {QStringLiteral("geometry"), GeoJsonGeometry(f.polygons)}};
        if (!first)
            out += ',';
        first = false;
        out += QJsonDocument(feature).toJson(QJsonDocument::Compact);
    }
    out += "]}\n";
    return out;
}

std::optional<OpenIndexField> FindOpenIndexField(const QString& name)
{
    for (const auto& [field, type] : kFields) {
        if (name.compare(QLatin1StringView(field), Qt::CaseInsensitive) == 0)
            return OpenIndexField{QString::fromLatin1(field), type};
    }
    return std::nullopt;
}

std::optional<QJsonValue> OpenIndexValue(OpenIndexType type, const QString& text)
{
    switch (type) {
    case OpenIndexType::Text:
        return QJsonValue(text);
    case OpenIndexType::Switch: {
        const QString word = text.trimmed().toLower();
        if (word == u"true" || word == u"yes" || word == u"1")
            return QJsonValue(true);
        if (word == u"false" || word == u"no" || word == u"0")
            return QJsonValue(false);
        return std::nullopt;
    }
    case OpenIndexType::Places: {
        QJsonArray places;
        for (const QString& place : text.split(u';', Qt::SkipEmptyParts)) {
            if (!place.trimmed().isEmpty())
                places.append(place.trimmed());
        }
        return QJsonValue(places);
    }
    case OpenIndexType::Bound:
        break;
    }
    return std::nullopt;
}
