// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

// Semi-transparent text on 32-bit images.
//
// AlphaBlend arithmetic: with constant alpha C, a source channel s and the
// source alpha sa (255 when the source has no per-pixel alpha), each
// destination channel d becomes
//     s·C/255 + (1 − (sa·C/255)/255) · d  =  (255·s·C + (65025 − sa·C) · d) / 65025,
// the exact rational rounded once to the nearest integer (the denominator
// is odd, so no value falls on a half) and capped at 255 for sources that
// are not premultiplied. Constant alpha 0 therefore leaves the destination exactly
// as it was, and C = 255 with sa = 255 gives the source exactly.

// Blends the whole of `source` onto `dest` with its top-left corner at
// (x, y), clipped to `dest`. Both are 32-bit images (RGB32 or ARGB32, never
// premultiplied by Qt; the caller's values are used as they are). A dest
// without an alpha channel keeps its fourth byte 0xFF.
void AlphaBlendBitmap(const QImage& source, QImage& dest, int x, int y, quint8 alpha, bool perPixelAlpha);

// The text box of `text` in `font`: the advance width and the font's line
// height, as the drawing uses them.
QSize TextBoxSize(const QFont& font, const QString& text);

// Draws `text` in `font` and `color` with its text box's top-left corner at
// (x, y) of `target`, blended at constant opacity `alpha`. The text is
// rendered with greyscale antialiasing; its coverage premultiplies the text
// image (c = c·a >> 8) before the blend. Only the part of the text box inside
// `target` changes; an empty text changes nothing.
void DrawAlphaText(QImage& target, const QFont& font, QColor color, quint8 alpha, int x, int y, const QString& text);
