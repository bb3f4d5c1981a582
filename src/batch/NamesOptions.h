// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsTable.h"
#include "workflow/panel/CalcNameCenters.h"
#include "workflow/panel/DrawNames.h"

#include <QColor>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// Calc for preview and Draw map names in a batch run, with the window's
// defaults.
struct NamesBatchOptions {
    bool run = true;  // --no-names passes over both steps
    int centerMethod = kCenterNamesSetting.fallback;
    int source = kNamesSourceSetting.fallback;
    QString customListFile;  // empty: no custom list, as before the dialog's first Ok
    QString fontFamily = NamesFont{}.family;
    int fontPixelSize = -NamesFont{}.height;
    bool bold = false;
    bool italic = false;
    bool underline = false;  // from a settings file only
    bool strikeOut = false;
    QColor color = QColor::fromRgb(NamesFont{}.color);
    int opacityPosition = kAlphaSetting.fallback;
};

// The names options of the command line and their lines of the usage text.
void AddNamesOptions(QCommandLineParser& parser);
QString NamesUsage();

// Reads the names options a parsed command line holds; the reason when one
// of them is wrong.
std::optional<QString> ReadNamesOptions(const QCommandLineParser& parser, NamesBatchOptions& options);

// The names font and colour as the options give them (a family that is not
// installed falls back to the system's choice).
NameStyle MakeNameStyle(const NamesBatchOptions& options);

// A custom list file: one name a line, the lines as they are (a final line
// break starts no further line); UTF-8, or a Windows code page as the
// calibration files are read. Throws TessError when it cannot be read.
QStringList ReadCustomListFile(const QString& path);
