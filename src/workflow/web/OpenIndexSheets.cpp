// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/OpenIndexSheets.h"

#include "workflow/export/SheetOutlines.h"

#include <QHash>
#include <QRegularExpression>

namespace {

QString Key(const char* name) { return QString::fromLatin1(name); }

TPolygon CellCorners(const SheetCell& cell)
{
    return {{cell.north, cell.west}, {cell.north, cell.east}, {cell.south, cell.east}, {cell.south, cell.west}};
}

// The standard sheet's scale: from the corners when they are a cell, else
// from the name.
std::optional<int> SheetScale(const TSingleMap& sheet)
{
    if (sheet.LatLon.size() == 4) {
        if (const auto cell = RecogniseSheet(sheet.LatLon))
            return cell->scale;
    }
    const QString first = sheet.MapName.section(u' ', 0, 0, QString::SectionSkipEmpty);
    for (const QString& name : {sheet.MapName, first}) {
        if (const auto cell = ReadSheetName(name).cell)
            return cell->scale;
    }
    return std::nullopt;
}

OpenIndexFeature SheetFeature(const TSingleMap& sheet, const QString& link)
{
    OpenIndexFeature f;
    f.polygons = OutlinePolygons(sheet.LatLon);
    QJsonObject& p = f.properties;
    p.insert(Key("kind"), FeatureKindText(FeatureKind::Sheet));
    p.insert(Key("label"), SheetLabel(sheet.MapName));
    p.insert(Key("available"), true);
    if (const auto scale = SheetScale(sheet))
        p.insert(Key("scale"), ScaleText(*scale));
    if (!sheet.ImageFile.isEmpty())
        p.insert(Key("fileName"), sheet.ImageFile);
    p.insert(Key("title"), sheet.MapName);
    if (!link.isEmpty())
        p.insert(Key("download"), link);
    p.insert(Key("recId"), sheet.FileName);
    return f;
}

OpenIndexFeature MissingFeature(const SheetCell& cell)
{
    OpenIndexFeature f;
    f.polygons = OutlinePolygons(CellCorners(cell));
    f.properties = {{Key("kind"), FeatureKindText(FeatureKind::Missing)},
                    {Key("label"), cell.name},
                    {Key("available"), false},
                    {Key("scale"), ScaleText(cell.scale)},
                    {Key("recId"), cell.name}};
    return f;
}

// The catalogue's fields over the sheet's own; the columns that are no
// OpenIndexMaps field never replace one of ours.
void Join(QJsonObject& p, const QJsonObject& fields)
{
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        if (FindOpenIndexField(it.key()) || !p.contains(it.key()))
            p.insert(it.key(), it.value());
    }
}

// The names GeoBlacklight's viewer reads beside those of OpenIndexMaps 1.0.
void AddEarlyNames(QJsonObject& p)
{
    for (const auto& [now, early] : {std::pair{"download", "downloadUrl"}, {"recId", "recordIdentifier"},
                                     {"thumbUrl", "thumbnailUrl"}}) {
        if (const QJsonValue value = p.value(Key(now)); !value.isUndefined())
            p.insert(Key(early), value);
    }
}

// Editions of one sheet share a label; a year in a name tells them apart
// when the catalogue gives no date.
void DateEditions(std::vector<OpenIndexFeature>& sheets, const std::vector<const TSingleMap*>& records)
{
    QHash<QString, int> editions;
    for (const OpenIndexFeature& f : sheets)
        ++editions[f.properties.value(Key("label")).toString()];
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        QJsonObject& p = sheets[i].properties;
        if (editions.value(p.value(Key("label")).toString()) < 2 || p.contains(Key("datePub")))
            continue;
        const TSingleMap& sheet = *records[i];
        for (const QString& name : {sheet.ImageFile, sheet.FileName, sheet.MapName}) {
            if (const QString year = YearIn(name); !year.isEmpty()) {
                p.insert(Key("datePub"), year);
                break;
            }
        }
    }
}

}  // namespace

QString SheetLabel(const QString& mapName)
{
    const QString first = mapName.section(u' ', 0, 0, QString::SectionSkipEmpty);
    for (const QString& name : {mapName, first}) {
        if (const auto cell = ReadSheetName(name).cell)
            return cell->name;
    }
    return mapName;
}

QString YearIn(const QString& text)
{
    static const QRegularExpression year(QStringLiteral("(?<![\\p{L}\\p{N}])(18|19|20)\\d\\d(?![\\p{L}\\p{N}])"));
    return year.match(text).captured(0);
}

OpenIndexSheets CollectOpenIndexSheets(const MapData& data, const std::vector<QString>& links,
                                       const std::vector<SheetCell>& missing, const Catalogue* catalogue)
{
    OpenIndexSheets result;
    std::vector<const TSingleMap*> records;
    for (std::size_t i = 0; i < data.Maps.size(); ++i) {
        const TSingleMap& sheet = data.Maps[i];
        if (!sheet.IsOk || sheet.LatLon.size() < 3)
            continue;
        result.features.push_back(SheetFeature(sheet, links[i]));
        result.keys.push_back({sheet.ImageFile, sheet.FileName, result.features.back().properties.value(Key("label")).toString()});
        records.push_back(&sheet);
    }
    if (catalogue) {
        result.matches = MatchCatalogue(*catalogue, result.keys);
        for (std::size_t i = 0; i < result.features.size(); ++i) {
            if (const int row = result.matches[i]; row >= 0)
                Join(result.features[i].properties, catalogue->rows[static_cast<std::size_t>(row)].fields);
        }
    }
    DateEditions(result.features, records);
    for (const SheetCell& cell : missing)
        result.features.push_back(MissingFeature(cell));
    for (OpenIndexFeature& f : result.features)
        AddEarlyNames(f.properties);
    return result;
}
