// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/OpenIndexMap.h"

#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

// A library's catalogue of its sheets: a CSV table, one row per sheet,
// keyed by its "fileName" column, else its "label" column.
struct CatalogueRow {
    int line = 0;  // where the row starts in the file
    QString key;
    // The other columns with something in them: OpenIndexMaps fields under
    // their own spelling with OpenIndexMaps' types, the rest as text
    // under their headers. Columns named for the bounds are not taken: the
    // outline gives them.
    std::vector<Property> fields;
};

struct Catalogue {
    std::vector<CatalogueRow> rows;
};

// The catalogue in `path`, or the message that names the file and the line
// it cannot be read at.
std::variant<Catalogue, QString> ReadCatalogue(const QString& path);

// What a sheet may be known by in a catalogue: its image file, its .map
// file with or without the extension, its label.
struct CatalogueKeys {
    QString image;
    QString mapFile;
    QString label;
};

// The row each sheet matches (-1 for none), any letter case; a key that
// stands on two rows matches the first.
std::vector<int> MatchCatalogue(const Catalogue& catalogue, const std::vector<CatalogueKeys>& sheets);

// The log lines of a join: how many sheets matched, then up to 20 names of
// the rows and sheets left over.
QStringList CatalogueReport(const QString& path, const Catalogue& catalogue, const std::vector<CatalogueKeys>& sheets,
                            const std::vector<int>& matches);
