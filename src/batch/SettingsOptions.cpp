// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/SettingsOptions.h"

#include "workflow/panel/CalcNameCenters.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/panel/LineColors.h"

#include <QColor>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMinLineWidth = 1;
constexpr int kMaxLineWidth = 100;
constexpr int kMaxOpacity = 32;

// A radio group's index as setting it leaves it: past either end, the last
// item or none.
int RadioIndex(int index, int lastItem) { return std::clamp(index, -1, lastItem); }

QColor StoredLineColor(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= kLineColorCount)
        return Qt::black;
    const LineColorEntry& entry = LineColors()[static_cast<std::size_t>(index)];
    return entry.rgb ? QColor::fromRgb(*entry.rgb) : QColor(Qt::black);
}

}  // namespace

void ApplyStoredSettings(const StoredSettings& s, BatchOptions& options)
{
    options.lineWidthText = QString::number(std::clamp(s.lineWidth, kMinLineWidth, kMaxLineWidth));
    options.lineColor = StoredLineColor(s.lineColor);
    options.fill = s.fillPolygons;
    NamesBatchOptions& names = options.names;
    names.centerMethod = RadioIndex(s.centerNames, kBarycenter);
    names.source = RadioIndex(s.namesSrc, kSourceCustomList);
    names.opacityPosition = std::clamp(s.alpha, 0, kMaxOpacity);
    options.calibration.corners = SheetCornersFromSetting(s.sheetCorners);
    if (s.font) {
        const NamesFont& font = *s.font;
        names.fontFamily = font.family;
        names.fontPixelSize = std::max(1, std::abs(font.height));
        names.bold = font.bold;
        names.italic = font.italic;
        names.underline = font.underline;
        names.strikeOut = font.strikeOut;
        names.color = QColor::fromRgb(font.color);
    }
}
