// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Nomenclature.h"
#include "workflow/Workspace.h"

#include <QStringList>

#include <cstddef>
#include <optional>
#include <vector>

// The scale list's first entry: the scale most recognised sheets have.
inline constexpr int kAutoScale = 0;

// Which standard sheets of one scale the usable sheets hold, lack and hold
// twice, inside the index map's latitude/longitude box.
struct CoverageReport {
    int scale = 0;                 // 0 when Auto found no recognised sheet
    std::vector<SheetCell> inside;  // north to south, then west to east
    std::vector<std::size_t> missing;  // indexes into `inside`
    struct Duplicate {
        std::size_t cell;                 // index into `inside`
        std::vector<std::size_t> sheets;  // indexes into Maps
    };
    std::vector<Duplicate> duplicates;
    int recognised = 0;  // usable sheets that are a cell of `scale`
    struct Other {
        std::size_t sheet;               // index into Maps
        std::optional<SheetCell> cell;   // what it is at another scale, if anything
    };
    std::vector<Other> others;  // usable sheets that are no cell of `scale`, in Maps order
};

// Reads only what Analyze found: the usable sheets and the index map's
// corners. `scale` is a denominator or kAutoScale.
CoverageReport ComputeCoverage(const MapData& data, int scale);

// How many missing cells, and how many cells held twice, the log names;
// a line "...and N more" stands for the rest.
inline constexpr std::size_t kListedCells = 500;

// "Coverage": the report in the results log, one finding a line. Does
// nothing without a usable index map and sheet. `missingNames`, when given,
// receives every missing cell's name, for a shopping list.
StepOutcome Coverage(Workspace& ws, int scale, QStringList* missingNames = nullptr);
