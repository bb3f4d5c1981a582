// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>

#include <optional>

// A new index map and the export of the sheet index in a batch run.
struct IndexToolsBatchOptions {
    QString makeIndexFile;  // --make-index FILE.map; empty: the steps run
    int width = 0;
    bool force = false;
    QString exportFile;  // --export FILE; empty: nothing exported
};

// The options of the command line and their lines of the usage text.
void AddIndexToolsOptions(QCommandLineParser& parser);
QString IndexToolsUsage();

// Reads them from a parsed command line; the reason when one is wrong.
std::optional<QString> ReadIndexToolsOptions(const QCommandLineParser& parser, IndexToolsBatchOptions& options);
