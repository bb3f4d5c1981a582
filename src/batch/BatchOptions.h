// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "batch/CalibrationOptions.h"
#include "batch/CoverageOptions.h"
#include "batch/IndexToolsOptions.h"
#include "batch/NamesOptions.h"
#include "batch/WebOptions.h"
#include "settings/SettingsTable.h"
#include "workflow/panel/LineColors.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

// The steps of the command panel, in panel order.
enum class BatchStep { Analyze, Load, Calc, Borders, Centers, Names, Save };

struct BatchOptions {
    QString mapsDir;
    QString indexMapFile;
    BatchStep stopAfter = BatchStep::Save;
    QString outputFile;  // Save jpg writes here instead of over the index image when set
    QString saveAsFile;  // when set, Save as… writes here: the picture and its calibration
    // Draw borders, with the window's defaults: the width as typed into its
    // box, its colour, no fill.
    bool drawBorders = true;
    QString lineWidthText = QString::number(kLineWidthSetting.fallback);
    QColor lineColor = QColor::fromRgb(*LineColors()[kDefaultLineColorIndex].rgb);
    bool fill = false;
    NamesBatchOptions names;
    CoverageBatchOptions coverage;
    CalibrationBatchOptions calibration;
    IndexToolsBatchOptions indexTools;
    WebBatchOptions web;
};

struct ParsedCommandLine {
    std::optional<BatchOptions> options;  // absent for --help and for errors
    bool helpRequested = false;
    bool versionRequested = false;
    QString error;  // why the command line is wrong
};

ParsedCommandLine ParseBatchCommandLine(const QStringList& arguments);
QString BatchUsage();
