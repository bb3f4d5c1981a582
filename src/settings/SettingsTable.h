// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoredSettings.h"

#include <QString>

#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>
#include <variant>

// Every value the settings file keeps, one row each: where it is stored,
// what a first start takes, which values the window's control holds and
// when the key is written. The window, tessarine-batch's --settings and
// the tests take them from here.

struct IntRange {
    int min;
    int max;
};
inline constexpr IntRange kAnyInteger{INT_MIN, INT_MAX};

enum class Written {
    Always,
    // Only once a value other than the default is chosen, or when the file
    // already holds the key: a file that never had it stays as it was.
    OnceChosen,
};

// How the window's control takes a stored value outside the row's range.
enum class Outside {
    Clamp,       // a spin box or slider: the nearer end
    LastOrNone,  // a radio group: past its end the last item, below it none
    None,        // a list: nothing chosen
};

// The StoredSettings member a row fills; its type says how the value is
// written: text as it is, integers in decimal, a switch as 0 or 1, the
// font as its hexadecimal value.
using SettingField = std::variant<QString StoredSettings::*, int StoredSettings::*, bool StoredSettings::*,
                                  std::optional<NamesFont> StoredSettings::*>;

struct SettingRow {
    const char* section;
    const char* key;
    SettingField field;
    int fallback = 0;  // integers and switches; text starts empty, the font absent
    IntRange range = kAnyInteger;
    Outside outside = Outside::Clamp;
    Written written = Written::Always;
};

// In the file's order: sections misc, graphics, then coverage, calibration and web.
inline constexpr SettingRow kSettingRows[] = {
    {"misc", "MapsDir", &StoredSettings::mapsDir},
    {"misc", "MapFile", &StoredSettings::mapFile},
    {"misc", "meResHeight", &StoredSettings::meResHeight, 80, {60, INT_MAX}},
    {"graphics", "Font", &StoredSettings::font},
    {"graphics", "LineWidth", &StoredSettings::lineWidth, 5, {1, 100}},
    {"graphics", "LineColor", &StoredSettings::lineColor, 9, {0, 20}, Outside::None},  // Silver
    {"graphics", "FillPolygons", &StoredSettings::fillPolygons, 0, {0, 1}},
    {"graphics", "CenterNames", &StoredSettings::centerNames, 0, {0, 1}, Outside::LastOrNone},
    {"graphics", "NamesSrc", &StoredSettings::namesSrc, 0, {0, 3}, Outside::LastOrNone},
    {"graphics", "Alpha", &StoredSettings::alpha, 30, {0, 32}},
    {"coverage", "Scale", &StoredSettings::coverageScale, 0, kAnyInteger, Outside::Clamp, Written::OnceChosen},
    {"calibration", "Corners", &StoredSettings::sheetCorners, 0, {0, 2}, Outside::None, Written::OnceChosen},
    {"calibration", "Rasters", &StoredSettings::rasterSheets, 0, {0, 1}, Outside::Clamp, Written::OnceChosen},
    {"web", "Catalogue", &StoredSettings::webCatalogue, 0, kAnyInteger, Outside::Clamp, Written::OnceChosen},
};

// The row of a key; naming a key without a row does not compile. Looked up
// by name rather than by member: the sanitizers' null checks make a
// variant's get_if unusable in a constant expression.
consteval const SettingRow& SettingNamed(std::string_view key)
{
    for (const SettingRow& row : kSettingRows) {
        if (key == row.key)
            return row;
    }
    throw "no settings row for this key";
}

inline constexpr const SettingRow& kLogHeightSetting = SettingNamed("meResHeight");
inline constexpr const SettingRow& kLineWidthSetting = SettingNamed("LineWidth");
inline constexpr const SettingRow& kLineColorSetting = SettingNamed("LineColor");
inline constexpr const SettingRow& kCenterNamesSetting = SettingNamed("CenterNames");
inline constexpr const SettingRow& kNamesSourceSetting = SettingNamed("NamesSrc");
inline constexpr const SettingRow& kAlphaSetting = SettingNamed("Alpha");
inline constexpr const SettingRow& kSheetCornersSetting = SettingNamed("Corners");

// The value the row's control holds after being given `value`; -1 is none.
constexpr int TakenValue(const SettingRow& row, int value)
{
    switch (row.outside) {
    case Outside::Clamp:
        return std::clamp(value, row.range.min, row.range.max);
    case Outside::LastOrNone:
        return std::clamp(value, -1, row.range.max);
    case Outside::None:
        return value >= row.range.min && value <= row.range.max ? value : -1;
    }
    return value;
}
