// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

// Where sheet corners come from, and Check calibrations, in a batch run.
struct CalibrationBatchOptions {
    SheetCorners corners = SheetCorners::Mmpll;
    bool check = false;    // --check-calibrations given
    bool rasters = false;  // georeferenced images are sheets too
};

void AddCalibrationOptions(QCommandLineParser& parser);
QString CalibrationUsage();

// Reads the options a parsed command line holds (--corners wins over what a
// settings file gave, and --rasters can only turn images on); the reason
// when one is wrong.
std::optional<QString> ReadCalibrationOptions(const QCommandLineParser& parser, CalibrationBatchOptions& options);
