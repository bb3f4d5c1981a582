// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ZoomLevels.h"

#include <algorithm>
#include <cmath>

namespace {

// A factor within this of a level counts as the level, so that a level
// reached by arithmetic is not stepped over.
constexpr double kSlack = 1e-9;
// A level closer than this factor to where the step starts (a fit just
// below a level) would change the picture by a pixel or two: it is passed
// over for the next one.
constexpr double kVisibleStep = 1.1;

// The level's exponent: zoom = 2^(step / 2).
double StepOf(double zoom) { return 2.0 * std::log2(zoom); }
double LevelAt(double step) { return std::exp2(step / 2.0); }

}  // namespace

double FitZoom(QSize image, QSize view)
{
    if (image.isEmpty() || view.isEmpty())
        return 1.0;
    const double fit = std::min(double(view.width()) / image.width(), double(view.height()) / image.height());
    return std::min(fit, 1.0);
}

double ZoomIn(double zoom, double fit)
{
    const double next = LevelAt(std::floor(StepOf(zoom * kVisibleStep) + kSlack) + 1);
    return std::clamp(next, fit, kMaxZoom);
}

double ZoomOut(double zoom, double fit)
{
    const double next = LevelAt(std::ceil(StepOf(zoom / kVisibleStep) - kSlack) - 1);
    if (next < fit * kVisibleStep)
        return std::min(fit, kMaxZoom);
    return std::min(next, kMaxZoom);
}

QString ZoomText(double zoom) { return QStringLiteral("%1%").arg(std::lround(zoom * 100)); }
