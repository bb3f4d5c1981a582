// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

// A table as RFC 4180 writes it: a header row, then the records.
struct CsvTable {
    QStringList header;
    std::vector<QStringList> rows;  // each as long as the header; missing cells empty
    std::vector<int> rowLines;      // the line each row starts on, from 1
};

// Why a file is not a table, and the line where that shows, from 1.
struct CsvError {
    int line = 0;
    QString reason;
};

// UTF-8 with or without a byte-order mark; fields separated by commas,
// records by CR LF or LF; a field in double quotes may hold commas, line
// breaks and doubled quotes. Empty lines between records are skipped. A row
// with fewer cells than the header has empty ones; one with more is an
// error, as are bytes that are not UTF-8, a quote left open, text after a
// closing quote and a file without a header row.
std::variant<CsvTable, CsvError> ReadCsv(QByteArrayView bytes);
