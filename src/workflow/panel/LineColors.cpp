// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/LineColors.h"

namespace {

constexpr std::array<LineColorEntry, kLineColorCount> kLineColors{{
    {"Custom...", std::nullopt},
    {"Black", 0x000000},
    {"Maroon", 0x800000},
    {"Green", 0x008000},
    {"Olive", 0x808000},
    {"Navy", 0x000080},
    {"Purple", 0x800080},
    {"Teal", 0x008080},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0xFF0000},
    {"Lime", 0x00FF00},
    {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0x00FFFF},
    {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0},
    {"Sky Blue", 0xA6CAF0},
    {"Cream", 0xFFFBF0},
    {"Med Gray", 0xA0A0A4},
}};

}  // namespace

const std::array<LineColorEntry, kLineColorCount>& LineColors() { return kLineColors; }

std::optional<QColor> LineColorByName(const QString& name)
{
    for (const LineColorEntry& entry : kLineColors) {
        if (entry.rgb && name.compare(QLatin1StringView(entry.name), Qt::CaseInsensitive) == 0)
            return QColor::fromRgb(*entry.rgb);
    }
    return std::nullopt;
}
