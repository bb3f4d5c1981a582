// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/OpenIndexSheets.h"

#include "workflow/export/SheetOutlines.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// The standard sheet the map name, or its first word, names.
std::optional<SheetCell> NamedCell(const QString& mapName)
{
    if (auto cell = ReadSheetName(mapName).cell)
        return cell;
    const QString first = mapName.section(u' ', 0, 0, QString::SectionSkipEmpty);
    return first == mapName ? std::nullopt : ReadSheetName(first).cell;
}

OpenIndexFeature SheetFeature(const TSingleMap& sheet, const QString& link, const QString& thumb)
{
    const std::optional<SheetCell> named = NamedCell(sheet.MapName);
    // The scale from the corners when they are a standard sheet, else from the name.
    std::optional<SheetCell> cell = StandardSheetOf(sheet);
    if (!cell)
        cell = named;
    OpenIndexFeature f;
    f.polygons = OutlinePolygons(sheet.LatLon);
    f.properties.reserve(16);
    f.set(QStringLiteral("kind"), FeatureKindText(FeatureKind::Sheet));
    f.set(QStringLiteral("label"), named ? named->name : sheet.MapName);
    f.set(QStringLiteral("available"), true);
    if (cell)
        f.set(QStringLiteral("scale"), ScaleText(cell->scale));
    if (!sheet.ImageFile.isEmpty())
        f.set(QStringLiteral("fileName"), sheet.ImageFile);
    f.set(QStringLiteral("title"), sheet.MapName);
    if (!link.isEmpty())
        f.set(QStringLiteral("download"), link);
    if (!thumb.isEmpty())
        f.set(QStringLiteral("thumbUrl"), thumb);
    f.set(QStringLiteral("recId"), sheet.FileName);
    return f;
}

OpenIndexFeature MissingFeature(const SheetCell& cell)
{
    OpenIndexFeature f;
    f.polygons = OutlinePolygons(CellCorners(cell));
    f.properties = {{QStringLiteral("kind"), FeatureKindText(FeatureKind::Missing)},
                    {QStringLiteral("label"), cell.name},
                    {QStringLiteral("available"), false},
                    {QStringLiteral("scale"), ScaleText(cell.scale)},
                    {QStringLiteral("recId"), cell.name}};
    return f;
}

// The catalogue's fields over the sheet's own; the columns that are no
// OpenIndexMaps field never replace one of ours.
void Join(OpenIndexFeature& f, const std::vector<Property>& fields)
{
    for (const Property& field : fields) {
        if (FindOpenIndexField(field.key) || !f.find(field.key))
            f.set(field.key, field.value);
    }
}

// The names GeoBlacklight's viewer reads beside those of OpenIndexMaps 1.0.
void AddEarlyNames(OpenIndexFeature& f)
{
    for (const auto& [now, early] : {std::pair{u"download", "downloadUrl"}, {u"recId", "recordIdentifier"},
                                     {u"thumbUrl", "thumbnailUrl"}}) {
        if (const PropertyValue* value = f.find(now))
            f.set(QString::fromLatin1(early), *value);
    }
}

QString Label(const OpenIndexFeature& f)
{
    const PropertyValue* label = f.find(u"label");
    const QString* text = label ? std::get_if<QString>(label) : nullptr;
    return text ? *text : QString();
}

// Editions of one sheet share a label; a year in a name tells them apart
// when the catalogue gives no date.
void DateEditions(std::vector<OpenIndexFeature>& sheets, const std::vector<const TSingleMap*>& records)
{
    QHash<QString, int> editions;
    for (const OpenIndexFeature& f : sheets)
        ++editions[Label(f)];
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        OpenIndexFeature& f = sheets[i];
        if (editions.value(Label(f)) < 2 || f.find(u"datePub"))
            continue;
        const TSingleMap& sheet = *records[i];
        for (const QString& name : {sheet.ImageFile, sheet.FileName, sheet.MapName}) {
            if (const QString year = YearIn(name); !year.isEmpty()) {
                f.set(QStringLiteral("datePub"), year);
                break;
            }
        }
    }
}

}  // namespace

QString YearIn(const QString& text)
{
    static const QRegularExpression year(QStringLiteral("(?<![\\p{L}\\p{N}])(18|19|20)\\d\\d(?![\\p{L}\\p{N}])"));
    return year.match(text).captured(0);
}

OpenIndexSheets CollectOpenIndexSheets(const MapData& data, const std::vector<QString>& links,
                                       const std::vector<QString>& thumbs, const std::vector<SheetCell>& missing,
                                       const Catalogue* catalogue)
{
    OpenIndexSheets result;
    std::vector<const TSingleMap*> records;
    for (std::size_t i = 0; i < data.Maps.size(); ++i) {
        const TSingleMap& sheet = data.Maps[i];
        if (!sheet.IsOk || sheet.LatLon.size() < 3)
            continue;
        result.features.push_back(SheetFeature(sheet, links[i], i < thumbs.size() ? thumbs[i] : QString()));
        result.keys.push_back({sheet.ImageFile, sheet.FileName, Label(result.features.back())});
        records.push_back(&sheet);
    }
    if (catalogue) {
        result.matches = MatchCatalogue(*catalogue, result.keys);
        for (std::size_t i = 0; i < result.features.size(); ++i) {
            if (const int row = result.matches[i]; row >= 0)
                Join(result.features[i], catalogue->rows[static_cast<std::size_t>(row)].fields);
        }
    }
    DateEditions(result.features, records);
    for (const SheetCell& cell : missing)
        result.features.push_back(MissingFeature(cell));
    for (OpenIndexFeature& f : result.features)
        AddEarlyNames(f);
    return result;
}
