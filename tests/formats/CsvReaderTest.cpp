// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "formats/CsvReader.h"

#include <gtest/gtest.h>

namespace {

QByteArray Unescaped(const QString& text)
{
    QByteArray bytes;
    const QByteArray in = text.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != '\\' || i + 1 == in.size()) {
            bytes += in[i];
        } else if (in[i + 1] == 'x') {
            bytes += char(in.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else {
            const char c = in[++i];
            bytes += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
    }
    return bytes;
}

QString Shown(const std::variant<CsvTable, CsvError>& read)
{
    if (const auto* error = std::get_if<CsvError>(&read))
        return QStringLiteral("error %1: %2").arg(error->line).arg(error->reason);
    const auto& table = std::get<CsvTable>(read);
    QString text;
    for (const QString& cell : table.header)
        text += '[' + cell + ']';
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        text += QStringLiteral(" %1:").arg(table.rowLines[r]);
        for (const QString& cell : table.rows[r])
            text += '[' + cell + ']';
    }
    return text;
}

TEST(CsvReaderTest, ReadsTablesAsRfc4180WritesThemAndNamesTheLineOfAFault)
{
    for (const QStringList& row : testfiles::Rows("formats/csv-tables.txt"))
        EXPECT_EQ(Shown(ReadCsv(Unescaped(row[0]))), QString::fromUtf8(Unescaped(row[1]))) << row[0].toStdString();
}

}  // namespace
