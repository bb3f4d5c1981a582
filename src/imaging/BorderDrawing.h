// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPolygon>

#include <vector>

struct BorderStyle {
    QColor color;
    int width = 1;       // pixels; 0 draws one pixel wide as well
    bool hatch = false;  // fill with the forward-diagonal hatch, in the line colour
    bool dashed = false; // Qt's dash pattern, scaled with the width
};

// Draws each polygon, closed, onto `image` in order, so later ones lie on
// top: outlined with a solid pen that replaces the pixels it covers, and
// when `hatch` is set filled with lines at 45° from top left to bottom right,
// one pixel in every 8 of each row, aligned to the image's origin, the image
// showing unchanged between them. No antialiasing: map lines stay crisp.
// Parts outside the image are clipped.
void DrawBorderPolygons(QImage& image, const std::vector<QPolygon>& polygons, const BorderStyle& style);
