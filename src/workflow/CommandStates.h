// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>

// The command buttons of the panel, in panel order.
enum class Command { Analyze, LoadImage, Calc, Draw, CalcNames, Names, Undo, ClearAll, Save, Coverage, DrawMissing, Export, Publish };
inline constexpr std::size_t kCommandCount = 13;

// What an operation reached; each enables and disables buttons as the
// table in CommandStates.cpp says.
enum class Transition {
    AnalyzeFoundUsable,   // the index map and at least one sheet are usable
    AnalyzeScanned,       // the maps directory has been scanned
    ImageUsable,          // the loaded image passed its checks, with usable sheets
    ImageLoaded,          // the image is loaded (checked, passed or not)
    PointsCalculated,     // pixel positions computed, with usable sheets
    BordersDrawn,
    CentersCalculated,
    CenterMethodChanged,
    NamesDrawn,
    Undone,
    Saved,
    ClearedAll,
    StartedUp,            // the window has read its settings: no centres yet
    MissingSheetsDrawn,
};

// Which command buttons are enabled. The window mirrors it into its
// buttons; the batch tool reads it to tell whether the next step may run.
class CommandStates {
public:
    CommandStates();

    bool enabled(Command c) const { return enabled_[static_cast<std::size_t>(c)]; }
    void apply(Transition t);

private:
    std::array<bool, kCommandCount> enabled_{};
};
