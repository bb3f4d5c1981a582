// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QString>

#include <optional>

// The web index page in a batch run.
struct WebBatchOptions {
    QString dir;       // --web DIR; empty: no page
    QString linkBase;  // --web-links BASE
    QString catalogue;  // --catalogue FILE
    bool force = false;
    bool thumbnails = true;  // off with --no-thumbnails
    bool progress = false;   // --progress: a line on standard error now and then
};

// The options of the command line and their lines of the usage text.
void AddWebOptions(QCommandLineParser& parser);
QString WebUsage();

// Reads them from a parsed command line; the reason when one is wrong.
std::optional<QString> ReadWebOptions(const QCommandLineParser& parser, WebBatchOptions& options);
