// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/Catalogue.h"

#include "formats/CsvReader.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <optional>

namespace {

constexpr qsizetype kNamesListed = 20;

struct Column {
    QString name;  // empty: not taken
    OpenIndexType type = OpenIndexType::Text;
    bool typed = false;  // an OpenIndexMaps field
};

// The key column first; then what becomes of every column.
std::optional<qsizetype> KeyColumn(const QStringList& header)
{
    for (const char* key : {"fileName", "label"}) {
        for (qsizetype c = 0; c < header.size(); ++c) {
            if (header[c].trimmed().compare(QLatin1StringView(key), Qt::CaseInsensitive) == 0)
                return c;
        }
    }
    return std::nullopt;
}

std::vector<Column> Columns(const QStringList& header, qsizetype key)
{
    std::vector<Column> columns(static_cast<std::size_t>(header.size()));
    QStringList taken;
    for (qsizetype c = 0; c < header.size(); ++c) {
        const QString name = header[c].trimmed();
        if (c == key || name.isEmpty())
            continue;
        Column& column = columns[static_cast<std::size_t>(c)];
        if (const auto field = FindOpenIndexField(name)) {
            if (field->type != OpenIndexType::Bound)
                column = {field->name, field->type, true};
        } else {
            column.name = name;
        }
        // A column named twice counts once, the first time.
        if (taken.contains(column.name))
            column = {};
        else if (!column.name.isEmpty())
            taken.append(column.name);
    }
    return columns;
}

QString FoldedKey(const QString& text) { return text.trimmed().toCaseFolded(); }

QString Listed(const QStringList& names)
{
    QString text = names.mid(0, kNamesListed).join(QStringLiteral(", "));
    if (names.size() > kNamesListed)
        text += QStringLiteral(" ...and %1 more").arg(names.size() - kNamesListed);
    return text;
}

}  // namespace

std::variant<Catalogue, QString> ReadCatalogue(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
    const auto read = ReadCsv(file.readAll());
    const auto at = [&path](int line, const QString& reason) {
        return QStringLiteral("%1, line %2: %3").arg(path).arg(line).arg(reason);
    };
    if (const auto* error = std::get_if<CsvError>(&read))
        return at(error->line, error->reason);
    const CsvTable& table = std::get<CsvTable>(read);
    const auto key = KeyColumn(table.header);
    if (!key)
        return at(1, QStringLiteral("no fileName or label column"));
    const std::vector<Column> columns = Columns(table.header, *key);

    Catalogue catalogue;
    catalogue.rows.reserve(table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const QStringList& cells = table.rows[r];
        CatalogueRow row{table.rowLines[r], cells[*key].trimmed(), {}};
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const Column& column = columns[static_cast<std::size_t>(c)];
            if (column.name.isEmpty() || cells[c].isEmpty())
                continue;
            auto value = column.typed ? OpenIndexValue(column.type, cells[c]) : PropertyValue(cells[c]);
            if (!value)
                return at(row.line, QStringLiteral("%1 \"%2\" is not true, false, yes, no, 1 or 0").arg(column.name, cells[c]));
            row.fields.push_back({column.name, std::move(*value)});
        }
        catalogue.rows.push_back(std::move(row));
    }
    return catalogue;
}

std::vector<int> MatchCatalogue(const Catalogue& catalogue, const std::vector<CatalogueKeys>& sheets)
{
    QHash<QString, int> rowOfKey;
    rowOfKey.reserve(static_cast<qsizetype>(catalogue.rows.size()));
    for (std::size_t r = 0; r < catalogue.rows.size(); ++r) {
        const QString key = FoldedKey(catalogue.rows[r].key);
        if (!key.isEmpty() && !rowOfKey.contains(key))
            rowOfKey.insert(key, static_cast<int>(r));
    }
    std::vector<int> matches;
    matches.reserve(sheets.size());
    for (const CatalogueKeys& sheet : sheets) {
        int row = -1;
        for (const QString& key : {sheet.image, sheet.mapFile, QFileInfo(sheet.mapFile).completeBaseName(), sheet.label}) {
            if (key.isEmpty())
                continue;
            if (const auto found = rowOfKey.constFind(FoldedKey(key)); found != rowOfKey.cend()) {
                row = *found;
                break;
            }
        }
        matches.push_back(row);
    }
    return matches;
}

QStringList CatalogueReport(const QString& path, const Catalogue& catalogue, const std::vector<CatalogueKeys>& sheets,
                            const std::vector<int>& matches)
{
    std::vector<char> used(catalogue.rows.size(), 0);
    QStringList lonelySheets;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (matches[i] < 0)
            lonelySheets.append(sheets[i].mapFile);
        else
            used[static_cast<std::size_t>(matches[i])] = 1;
    }
    QStringList lonelyRows;
    for (std::size_t r = 0; r < catalogue.rows.size(); ++r) {
        if (!used[r]) {
            const CatalogueRow& row = catalogue.rows[r];
            lonelyRows.append(row.key.isEmpty() ? QStringLiteral("(line %1)").arg(row.line) : row.key);
        }
    }
    QStringList lines{QStringLiteral("Catalogue %1: %2 of %3 sheets matched a row")
                          .arg(path)
                          .arg(sheets.size() - static_cast<std::size_t>(lonelySheets.size()))
                          .arg(sheets.size())};
    if (!lonelyRows.isEmpty())
        lines.append(QStringLiteral("...%1 rows matched no sheet: %2").arg(lonelyRows.size()).arg(Listed(lonelyRows)));
    if (!lonelySheets.isEmpty())
        lines.append(QStringLiteral("...%1 sheets matched no row: %2").arg(lonelySheets.size()).arg(Listed(lonelySheets)));
    return lines;
}
