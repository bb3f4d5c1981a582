// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the CSV reader. Reading must end in a table or a
// reason with a line inside the file; a table has rows as long as its
// header, on lines that grow, and reads back the same once written out
// with every field quoted.

#include "formats/CsvReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray Quoted(const QStringList& record)
{
    QStringList fields;
    for (QString field : record)
        fields.append('"' + field.replace(u'"', QStringLiteral("\"\"")) + '"');
    return fields.join(u',').toUtf8() + "\r\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const auto read = ReadCsv(bytes);
    const int lines = static_cast<int>(bytes.count('\n')) + 1;
    if (const auto* error = std::get_if<CsvError>(&read)) {
        if (error->line < 1 || error->line > lines || error->reason.isEmpty())
            std::abort();
        return 0;
    }
    const CsvTable& table = std::get<CsvTable>(read);
    if (table.header.isEmpty() || table.rows.size() != table.rowLines.size())
        std::abort();
    QByteArray again = Quoted(table.header);
    int last = 1;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (table.rows[r].size() != table.header.size() || table.rowLines[r] <= last || table.rowLines[r] > lines)
            std::abort();
        last = table.rowLines[r];
        again += Quoted(table.rows[r]);
    }
    const auto back = ReadCsv(again);
    const auto* same = std::get_if<CsvTable>(&back);
    if (!same || same->header != table.header || same->rows != table.rows)
        std::abort();
    return 0;
}
