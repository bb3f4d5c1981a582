#include "workflow/CalcPoints.h"

#include "geometry/Mercator.h"
#include "model/Errors.h"

#include <cmath>

namespace {

// Element `at`, or the list's own error when the index map lacks it.
template <typename T>
const T& IndexCorner(const std::vector<T>& corners, std::size_t at)
{
    if (at >= corners.size())
        throw Errors::listIndexOutOfBounds(static_cast<qint64>(at));
    return corners[at];
}

// numerator / denominator, with the faults a floating-point unit reports.
long double Divide(long double numerator, long double denominator)
{
    if (denominator == 0.0L) {
        if (numerator == 0.0L)
            throw Errors::invalidFloatOperation();
        throw Errors::divisionByZero();
    }
    return numerator / denominator;
}

}  // namespace

StepOutcome CalcPoints(Workspace& ws)
{
    ws.log.blank();
    ws.log.append(QStringLiteral("Calculating Mercator..."));
    ws.log.processPendingEvents();

    const TSingleMap& index = ws.data.IndexMap;
    const double yS = MercatorY(IndexCorner(index.LatLon, 3).Lat);
    const double yN = MercatorY(IndexCorner(index.LatLon, 0).Lat);
    const double spanY = yN - yS;
    const double xW = MercatorX(IndexCorner(index.LatLon, 0).Lon);
    const double xE = MercatorX(IndexCorner(index.LatLon, 1).Lon);
    const double spanX = xE - xW;
    if (!std::isfinite(spanX) || !std::isfinite(spanY))
        throw Errors::floatOverflow();
    const long double W = IndexCorner(index.Pixels, 1).X;
    const long double H = IndexCorner(index.Pixels, 2).Y;

    for (TSingleMap& sheet : ws.data.Maps) {
        if (!sheet.IsOk)
            continue;
        sheet.Pixels.resize(sheet.LatLon.size());
        ws.log.blank();
        ws.log.append(sheet.FileName);
        for (std::size_t j = 0; j < sheet.LatLon.size(); ++j) {
            const double y = MercatorY(sheet.LatLon[j].Lat);
            const double x = MercatorX(sheet.LatLon[j].Lon);
            // Evaluated at extended precision, grouped as the formulas read.
            const int32_t X = RoundPixel(Divide((x - static_cast<long double>(xW)) * W, spanX));
            const int32_t Y = RoundPixel(H - Divide((y - static_cast<long double>(yS)) * H, spanY));
            sheet.Pixels[j] = TPixel{X, Y};
            ws.log.append(QStringLiteral("...p%1 x = %2, y = %3").arg(j).arg(X).arg(Y));
        }
    }

    ws.log.blank();
    ws.log.append(QStringLiteral("Calculated"));
    if (ws.data.IndexMap.IsOk && ws.data.GoodMapsCount > 0)
        ws.commands.apply(Transition::PointsCalculated);
    return StepOutcome::Completed;
}
