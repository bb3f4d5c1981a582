// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gvars.h"
#include "workflow/SheetSource.h"
#include "workflow/CommandStates.h"
#include "core/NumberFormat.h"
#include "workflow/ResultsLog.h"

#include <QByteArray>
#include <QImage>

#include <memory>
#include <optional>
#include <vector>

class ProjTransforms;
struct CalibrationCheck;

// Where a sheet's corners come from: its MMPLL lines (as ever), its
// calibration only where it has no MMPNUM line, or its calibration wherever
// that gives an outline.
enum class SheetCorners { Mmpll, Fallback, Calibration };

// The stored setting's value 0, 1 or 2 as a choice; out of range is MMPLL.
inline SheetCorners SheetCornersFromSetting(int value)
{
    switch (value) {
    case 1: return SheetCorners::Fallback;
    case 2: return SheetCorners::Calibration;
    default: return SheetCorners::Mmpll;
    }
}

// Everything the operations share: the map records, the button states and
// the log they write to. The window, a batch run and each test own one.
struct Workspace {
    explicit Workspace(ResultsLog& resultsLog, QString decimal = SystemDecimalPoint())
        : log(resultsLog), decimalPoint(std::move(decimal))
    {
    }

    ResultsLog& log;
    QString decimalPoint;  // for numbers the log prints
    MapData data;
    QString indexMapFile;  // the calibration file the last analysis read
    QString missingMapsDir;  // the maps folder the last analysis did not find; empty when it did
    CommandStates commands;

    // The picture everything is drawn on (always QImage::Format_RGB32), and
    // the JPEG it was loaded from or last saved as: Undo decodes it again, so
    // only one decoded image is ever held.
    QImage workingImage;
    QByteArray baseImage;  // empty when no image is loaded
    int penWidth = 1;      // the width the last border drawing set on this image

    // Name centres: computed, and for which centre method.
    bool centersReady = false;
    int centersMethod = 0;

    SheetCorners sheetCorners = SheetCorners::Mmpll;  // read by the next Analyze or New...
    bool rasterSheets = false;  // the next Analyze or New... also reads georeferenced images
    // One per record of data.Maps: how its reader found the sheet.
    std::vector<SheetSource> sources;
    // The last Check calibrations' findings per sheet; empty until it runs.
    std::shared_ptr<std::vector<CalibrationCheck>> checks;
    std::shared_ptr<ProjTransforms> proj;  // made on first use, shared with New...'s scan
    // The scale the last Coverage report was asked for, until Clear all.
    std::optional<int> coverageScale;
};

// How a step ended, for callers that must tell a finished step from one
// that stopped on an input problem it reported in the log.
enum class StepOutcome { Completed, Stopped };
