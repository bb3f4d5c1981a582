// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsTable.h"

#include <QColor>
#include <QString>

#include <array>
#include <optional>

// The entries of the line colour list, in list order; the settings file
// stores an index into it. Entry 0 is the custom colour, chosen in the
// colour dialog, and has no fixed colour.
struct LineColorEntry {
    const char* name;
    std::optional<QRgb> rgb;
};

inline constexpr std::size_t kLineColorCount = 21;
inline constexpr int kCustomLineColorIndex = 0;
inline constexpr int kDefaultLineColorIndex = kLineColorSetting.fallback;
static_assert(kLineColorSetting.range.max + 1 == int(kLineColorCount), "the settings keep an index into this list");

const std::array<LineColorEntry, kLineColorCount>& LineColors();

// The fixed colour named `name` (any letter case), or nothing for an unknown
// name and for the custom entry.
std::optional<QColor> LineColorByName(const QString& name);
