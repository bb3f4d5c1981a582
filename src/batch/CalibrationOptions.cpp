// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/CalibrationOptions.h"

namespace {

const QCommandLineOption kCorners(QStringLiteral("corners"), QString(), QStringLiteral("FROM"));
const QCommandLineOption kCheck(QStringLiteral("check-calibrations"));
const QCommandLineOption kRasters(QStringLiteral("rasters"));

}  // namespace

void AddCalibrationOptions(QCommandLineParser& parser) { parser.addOptions({kCorners, kCheck, kRasters}); }

QString CalibrationUsage()
{
    return QStringLiteral(
        "  --corners FROM     where a sheet's corners come from: mmpll (its MMPLL lines,\n"
        "                     the default), fallback (its calibration when it has no\n"
        "                     MMPNUM line) or calibration (its Point lines through\n"
        "                     its datum and projection wherever they give an outline)\n"
        "  --check-calibrations\n"
        "                     after Analyze, check each sheet's calibration and its\n"
        "                     MMPLL corners; never changes the exit status\n"
        "  --rasters          georeferenced images of the maps folder (GeoTIFF, GeoPDF,\n"
        "                     BSB charts, images with a worldfile) are sheets too,\n"
        "                     outlined by their neatline, the standard sheet their name\n"
        "                     names, or their corners\n");
}

std::optional<QString> ReadCalibrationOptions(const QCommandLineParser& parser, CalibrationBatchOptions& options)
{
    options.check = parser.isSet(kCheck);
    options.rasters = options.rasters || parser.isSet(kRasters);
    if (!parser.isSet(kCorners))
        return std::nullopt;
    const QString value = parser.value(kCorners);
    const QStringList names{QStringLiteral("mmpll"), QStringLiteral("fallback"), QStringLiteral("calibration")};
    const auto at = names.indexOf(value);
    if (at < 0)
        return QStringLiteral("Unknown corners: %1").arg(value);
    options.corners = SheetCornersFromSetting(static_cast<int>(at));
    return std::nullopt;
}
