// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>

#include <optional>

// Coverage and Draw missing sheets in a batch run.
struct CoverageBatchOptions {
    bool run = false;         // --coverage given
    int scale = 0;            // denominator, 0 for auto
    bool drawMissing = false;
    QString missingListFile;  // empty: no list written
};

// The coverage options of the command line and their lines of the usage text.
void AddCoverageOptions(QCommandLineParser& parser);
QString CoverageUsage();

// Reads the coverage options a parsed command line holds; the reason when
// one of them is wrong.
std::optional<QString> ReadCoverageOptions(const QCommandLineParser& parser, CoverageBatchOptions& options);

// A scale as typed: "auto", "100000", "1:100000" or "1:100 000"; 0 for auto,
// nothing for a scale the nomenclature does not have.
std::optional<int> ParseScale(const QString& text);
