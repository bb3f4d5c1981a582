// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/gvars.h"

#include <QString>

inline constexpr int kGridSheets = 20000;

// 100 rows of 200 sheets, 20' by 30', from 73 N and 0 E down to 40 N and
// east to 100 E (south of 60 N the cells of 1:100,000), every tenth
// unusable; `each(i, sheet)` names sheet i and may move its corners or
// change its problem. Into data.Maps, counted in data.GoodMapsCount.
template <typename Each>
void FillSheetGrid(MapData& data, Each each)
{
    for (int i = 0; i < kGridSheets; ++i) {
        const double north = 73.0 - (i / 200) / 3.0;
        const double west = (i % 200) * 0.5;
        TSingleMap sheet;
        sheet.FileName = QStringLiteral("sheet-%1.map").arg(i);
        sheet.IsOk = i % 10 != 0;
        sheet.Problem = sheet.IsOk ? SheetProblem::None : SheetProblem::NotInsideIndexMap;
        sheet.LatLon = {{north, west}, {north, west + 0.5}, {north - 1 / 3.0, west + 0.5}, {north - 1 / 3.0, west}};
        each(i, sheet);
        data.GoodMapsCount += sheet.IsOk ? 1 : 0;
        data.Maps.push_back(std::move(sheet));
    }
}
