// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Workspace.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

#include <cstddef>

// The name sources, as the items of the "Name source" group.
enum NameSource : int {
    kNoNameSource = -1,
    kSourceMapName = 0,
    kSourceFileName = 1,
    kSourceImageFile = 2,
    kSourceCustomList = 3,
};

// How names are drawn: the names font and its colour, the name source and
// the opacity slider's position (0 … 32).
struct NameStyle {
    QFont font;
    QColor color;
    int source = kSourceMapName;
    int opacityPosition = 30;
};

// Whether names can be taken from `source`; when they cannot, the reason
// goes to the log.
bool CheckNameSource(Workspace& ws, int source);

// The text drawn for sheet `index` of Maps: line `index` of the custom list
// counts every sheet, usable or not. No source gives the empty text.
QString NameText(const MapData& data, std::size_t index, int source);

// The opacity slider position as the blend's constant alpha: 8·p − 1, and
// 0 for p = 0. Positions outside 0 … 32 are taken as the nearest end.
quint8 OpacityAlpha(int position);

// The top-left corner of a text box of `size` centred on `centre`; halves
// truncate toward zero, and a corner past the 32-bit range is held at it.
TPixel CenteredTextCorner(TPixel center, QSize size);

// "Draw map names": every usable sheet's name, centred on its NameCenter,
// blended into the working image. Stopped without drawing when there is no
// usable index map and sheet or the name source cannot be used.
StepOutcome DrawNames(Workspace& ws, const NameStyle& style);
