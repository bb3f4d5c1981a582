// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/CalibrationOptions.h"

namespace {

const QCommandLineOption kCorners(QStringLiteral("corners"), QString(), QStringLiteral("FROM"));
const QCommandLineOption kCheck(QStringLiteral("check-calibrations"));

}  // namespace

void AddCalibrationOptions(QCommandLineParser& parser) { parser.addOptions({kCorners, kCheck}); }

QString CalibrationUsage()
{
    return QStringLiteral(
        "  --corners FROM     where a sheet's corners come from: mmpll (its MMPLL lines,\n"
        "                     the default), fallback (its calibration when it has no\n"
        "                     MMPNUM line) or calibration (its Point lines through\n"
        "                     its datum and projection wherever they give an outline)\n"
        "  --check-calibrations\n"
        "                     after Analyze, check each sheet's calibration and its\n"
        "                     MMPLL corners; never changes the exit status\n");
}

std::optional<QString> ReadCalibrationOptions(const QCommandLineParser& parser, CalibrationBatchOptions& options)
{
    options.check = parser.isSet(kCheck);
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
