// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QString>

enum class CalibrationVerdict { Agrees, MapDatum, Disagrees, Unchecked };

// What Check calibrations found for one sheet.
struct CalibrationCheck {
    CalibrationVerdict verdict = CalibrationVerdict::Unchecked;
    double metres = 0.0;  // largest distance of an MMPLL corner, read as WGS 84, from its MMPXY point
};

// The export's word for a verdict: agrees, map-datum, disagrees, unchecked.
QString VerdictKeyword(CalibrationVerdict verdict);

// Works out every analysed sheet's calibration and writes a block per sheet
// and the totals to the log; keeps the verdicts in ws.checks. Reports every
// problem as a finding; never throws for a sheet's content.
void CheckCalibrations(Workspace& ws);
