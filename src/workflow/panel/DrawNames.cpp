// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/DrawNames.h"

#include "imaging/AlphaText.h"
#include "formats/ozi/MapReader.h"

#include <algorithm>
#include <cstdint>
#include <limits>

bool CheckNameSource(Workspace& ws, int source)
{
    if (source != kSourceCustomList)
        return true;
    const auto& list = ws.data.CustomList;
    if (!list) {
        ws.log.append(QStringLiteral("Custom list was not generated"));
        return false;
    }
    if (static_cast<std::size_t>(list->size()) != ws.data.Maps.size()) {
        ws.log.append(QStringLiteral("Size of custom list does not match maps count"));
        return false;
    }
    return true;
}

QString NameText(const MapData& data, std::size_t index, int source)
{
    const TSingleMap& sheet = data.Maps.at(index);
    switch (source) {
    case kSourceMapName: return sheet.MapName;
    case kSourceFileName: return sheet.FileName;
    case kSourceImageFile: return sheet.ImageFile;
    case kSourceCustomList:
        // CheckNameSource has made sure the list is there and long enough;
        // a caller that skipped it gets the list's index error.
        return LineAt(data.CustomList.value_or(QStringList()), static_cast<qint64>(index));
    default: return QString();
    }
}

quint8 OpacityAlpha(int position)
{
    const int p = std::clamp(position, 0, 32);
    return static_cast<quint8>(p > 0 ? 8 * p - 1 : 0);
}

TPixel CenteredTextCorner(TPixel center, QSize size)
{
    const auto clamp32 = [](int64_t v) {
        return static_cast<int32_t>(
            std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    };
    return TPixel{clamp32(int64_t{center.X} - size.width() / 2), clamp32(int64_t{center.Y} - size.height() / 2)};
}

StepOutcome DrawNames(Workspace& ws, const NameStyle& style)
{
    MapData& data = ws.data;
    if (!data.IndexMap.IsOk || data.GoodMapsCount <= 0 || !CheckNameSource(ws, style.source))
        return StepOutcome::Stopped;

    ws.log.append(QStringLiteral("Drawing..."));
    ws.log.processPendingEvents();

    const quint8 alpha = OpacityAlpha(style.opacityPosition);
    for (std::size_t i = 0; i < data.Maps.size(); ++i) {
        const TSingleMap& sheet = data.Maps[i];
        if (!sheet.IsOk)
            continue;
        ws.log.append(QStringLiteral("%1, %2").arg(sheet.NameCenter.X).arg(sheet.NameCenter.Y));
        const QString text = NameText(data, i, style.source);
        const TPixel corner = CenteredTextCorner(sheet.NameCenter, TextBoxSize(style.font, text));
        DrawAlphaText(ws.workingImage, style.font, style.color, alpha, corner.X, corner.Y, text);
    }

    ws.log.append(QStringLiteral("Done"));
    ws.commands.apply(Transition::NamesDrawn);
    return StepOutcome::Completed;
}
