// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/SettingsOptions.h"

#include "workflow/panel/CalcNameCenters.h"
#include "workflow/panel/DrawNames.h"
#include "settings/SettingsTable.h"
#include "workflow/panel/LineColors.h"

#include <QColor>

#include <algorithm>
#include <cstdlib>

static_assert(kCenterNamesSetting.range.max == kBarycenter && kNamesSourceSetting.range.max == kSourceCustomList);

namespace {

QColor StoredLineColor(int index)
{
    if (index < 0)
        return Qt::black;
    const LineColorEntry& entry = LineColors()[static_cast<std::size_t>(index)];
    return entry.rgb ? QColor::fromRgb(*entry.rgb) : QColor(Qt::black);
}

}  // namespace

void ApplyStoredSettings(const StoredSettings& s, BatchOptions& options)
{
    options.lineWidthText = QString::number(TakenValue(kLineWidthSetting, s.lineWidth));
    options.lineColor = StoredLineColor(TakenValue(kLineColorSetting, s.lineColor));
    options.fill = s.fillPolygons;
    NamesBatchOptions& names = options.names;
    names.centerMethod = TakenValue(kCenterNamesSetting, s.centerNames);
    names.source = TakenValue(kNamesSourceSetting, s.namesSrc);
    names.opacityPosition = TakenValue(kAlphaSetting, s.alpha);
    options.calibration.corners = SheetCornersFromSetting(s.sheetCorners);
    options.calibration.rasters = s.rasterSheets;
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
