// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/OpenIndexMap.h"

#include <QLocale>

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

// A JSON string: quotes, backslashes and control characters escaped, the
// rest as UTF-8.
void AppendText(QByteArray& out, const QString& text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendValue(QByteArray& out, const PropertyValue& value)
{
    if (const auto* text = std::get_if<QString>(&value)) {
        AppendText(out, *text);
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        out += *flag ? "true" : "false";
    } else {
        out += '[';
        for (const QString& place : std::get<QStringList>(value)) {
            AppendText(out, place);
            out += ',';
        }
        if (out.back() == ',')
            out.chop(1);
        out += ']';
    }
}

// The shortest form that reads back as the value, as Qt's JSON writes it.
void AppendDegrees(QByteArray& out, double value)
{
    out += QByteArray::number(RoundDegrees(value), 'g', QLocale::FloatingPointShortest);
}

void AppendRing(QByteArray& out, const Ring& ring)
{
    out += "[[";
    for (const LonLat& p : ring) {
        out += '[';
        AppendDegrees(out, p.lon);
        out += ',';
        AppendDegrees(out, p.lat);
        out += "],";
    }
    out.back() = ']';
    out += ']';
}

void AppendGeometry(QByteArray& out, const std::vector<Ring>& polygons)
{
    if (polygons.size() == 1) {
        out += "{\"type\":\"Polygon\",\"coordinates\":";
        AppendRing(out, polygons.front());
    } else {
        out += "{\"type\":\"MultiPolygon\",\"coordinates\":[";
        for (const Ring& ring : polygons) {
            AppendRing(out, ring);
            out += ',';
        }
        out.back() = ']';
    }
    out += '}';
}

}  // namespace

const PropertyValue* OpenIndexFeature::find(QStringView key) const
{
    for (const Property& p : properties) {
        if (p.key == key)
            return &p.value;
    }
    return nullptr;
}

void OpenIndexFeature::set(const QString& key, PropertyValue value)
{
    for (Property& p : properties) {
        if (p.key == key) {
            p.value = std::move(value);
            return;
        }
    }
    properties.push_back({key, std::move(value)});
}

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
    out.reserve(static_cast<qsizetype>(features.size()) * 640 + 256);
    if (box.west <= box.east) {
        out += ",\"bbox\":[";
        for (double value : {box.west, box.south, box.east, box.north}) {
            AppendDegrees(out, value);
            out += ',';
        }
        out.back() = ']';
    }
    out += ",\"features\":[";
    bool first = true;
    for (const OpenIndexFeature& f : features) {
        if (f.polygons.empty())
            continue;
        if (!first)
            out += ',';
        first = false;
        out += "{\"type\":\"Feature\",\"properties\":{";
        for (const Property& p : f.properties) {
            AppendText(out, p.key);
            out += ':';
            AppendValue(out, p.value);
            out += ',';
        }
        const OutlineBounds b = BoundsOf(f.polygons);
        for (const auto& [key, value] : {std::pair{"west", b.west}, {"east", b.east}, {"north", b.north}, {"south", b.south}}) {
            out += '"';
            out += key;
            out += "\":";
            AppendDegrees(out, value);
            out += ',';
        }
        out.back() = '}';
        out += ",\"geometry\":";
        AppendGeometry(out, f.polygons);
        out += '}';
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

std::optional<PropertyValue> OpenIndexValue(OpenIndexType type, const QString& text)
{
    switch (type) {
    case OpenIndexType::Text:
        return text;
    case OpenIndexType::Switch: {
        const QString word = text.trimmed().toLower();
        if (word == u"true" || word == u"yes" || word == u"1")
            return true;
        if (word == u"false" || word == u"no" || word == u"0")
            return false;
        return std::nullopt;
    }
    case OpenIndexType::Places: {
        QStringList places;
        for (const QString& place : text.split(u';')) {
            if (!place.trimmed().isEmpty())
                places.append(place.trimmed());
        }
        return places;
    }
    case OpenIndexType::Bound:
        break;
    }
    return std::nullopt;
}
