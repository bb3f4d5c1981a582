// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FontMapping.h"

#include <algorithm>
#include <cstdlib>

QFont ToQFont(const NamesFont& names)
{
    QFont font(names.family);
    font.setPixelSize(std::max(1, std::abs(names.height)));
    font.setBold(names.bold);
    font.setItalic(names.italic);
    font.setUnderline(names.underline);
    font.setStrikeOut(names.strikeOut);
    return font;
}

void TakeFontFace(NamesFont& names, const QFont& font)
{
    names.family = font.family();
    if (font.pixelSize() > 0)
        names.height = -font.pixelSize();
    else
        names.height = -qRound(font.pointSizeF() * 96.0 / 72.0);
    names.bold = font.bold();
    names.italic = font.italic();
    names.underline = font.underline();
    names.strikeOut = font.strikeOut();
}
