// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

// The view's zoom: screen pixels per image pixel. The levels are the powers
// of the square root of two (so 100% is one of them) up to 800%, and below
// them the factor that fits the whole image in the view.
inline constexpr double kMaxZoom = 8.0;

// The factor that shows all of `image` in `view`, never above 100%: a small
// image is already whole at actual pixels. 1 for an empty image or view.
double FitZoom(QSize image, QSize view);

// The next level above and below `zoom` that differs from it by a tenth or
// more; `fit` is the lowest one.
double ZoomIn(double zoom, double fit);
double ZoomOut(double zoom, double fit);

// "100%", "71%", "4%": the factor as the zoom control shows it.
QString ZoomText(double zoom);
