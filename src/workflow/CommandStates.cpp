// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/CommandStates.h"

#include <initializer_list>

namespace {

struct Effect {
    Transition transition;
    std::initializer_list<Command> enables;
    std::initializer_list<Command> disables;
};

using C = Command;

// Every button effect of every operation, in one place.
const Effect kEffects[] = {
    {Transition::AnalyzeFoundUsable, {C::LoadImage}, {}},
    {Transition::AnalyzeScanned, {C::ClearAll}, {C::Analyze}},
    {Transition::ImageUsable, {C::Calc}, {}},
    {Transition::ImageLoaded, {}, {C::LoadImage}},
    {Transition::PointsCalculated, {C::Draw, C::Names, C::CalcNames}, {C::Calc}},
    {Transition::BordersDrawn, {C::Undo, C::Save}, {}},
    {Transition::CentersCalculated, {}, {C::CalcNames}},
    {Transition::CenterMethodChanged, {C::CalcNames}, {}},
    {Transition::NamesDrawn, {C::Undo, C::Save}, {}},
    {Transition::Undone, {C::Draw, C::Names}, {C::Save, C::Undo}},
    {Transition::Saved, {}, {C::Save, C::Draw, C::Names, C::Undo}},
    {Transition::ClearedAll,
     {C::Analyze},
     {C::ClearAll, C::Undo, C::LoadImage, C::Calc, C::Draw, C::Names, C::Save}},
    {Transition::StartedUp, {}, {C::CalcNames}},
    // Coverage runs once Analyze has found what it reads; Draw missing
    // sheets follows Draw borders.
    {Transition::AnalyzeFoundUsable, {C::Coverage}, {}},
    {Transition::ClearedAll, {}, {C::Coverage, C::DrawMissing}},
    {Transition::PointsCalculated, {C::DrawMissing}, {}},
    {Transition::Undone, {C::DrawMissing}, {}},
    {Transition::Saved, {}, {C::DrawMissing}},
    {Transition::MissingSheetsDrawn, {C::Undo, C::Save}, {}},
    // Export writes what Analyze read, for as long as Clear all can clear it.
    {Transition::AnalyzeScanned, {C::Export}, {}},
    {Transition::ClearedAll, {}, {C::Export}},
    // Publishing needs the sheets' places on the picture.
    {Transition::PointsCalculated, {C::Publish}, {}},
    {Transition::ClearedAll, {}, {C::Publish}},
};

constexpr std::size_t index(Command c) { return static_cast<std::size_t>(c); }

}  // namespace

CommandStates::CommandStates() { enabled_[index(Command::Analyze)] = true; }

void CommandStates::apply(Transition t)
{
    for (const Effect& effect : kEffects) {
        if (effect.transition != t)
            continue;
        for (Command c : effect.enables)
            enabled_[index(c)] = true;
        for (Command c : effect.disables)
            enabled_[index(c)] = false;
    }
}
