// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/coverage/Coverage.h"

#include <QHash>

#include <algorithm>

namespace {

// A box with a sheet near the equator and others far north holds tens of
// thousands of cells: the log names the first ones, the count says the rest.
void LogLeftOut(ResultsLog& log, std::size_t count)
{
    if (count > kListedCells)
        log.append(QStringLiteral("...and %1 more").arg(count - kListedCells));
}

}  // namespace

CoverageReport ComputeCoverage(const MapData& data, int scale)
{
    CoverageReport report;
    std::vector<std::optional<SheetCell>> cells(data.Maps.size());
    for (std::size_t i = 0; i < data.Maps.size(); ++i)
        if (data.Maps[i].IsOk)
            cells[i] = StandardSheetOf(data.Maps[i]);
    report.scale = scale == kAutoScale ? MostCommonScale(cells) : scale;
    if (report.scale == 0 || data.IndexMap.LatLon.empty())
        return report;

    const LatLonBox box = BoundingBox(data.IndexMap.LatLon);
    report.inside = CellsInside(report.scale, box.south, box.north, box.west, box.east);
    QHash<QString, std::size_t> insideAt;
    insideAt.reserve(static_cast<qsizetype>(report.inside.size()));
    for (std::size_t k = 0; k < report.inside.size(); ++k)
        insideAt.insert(report.inside[k].name, k);

    std::vector<std::vector<std::size_t>> holders(report.inside.size());
    for (std::size_t i = 0; i < data.Maps.size(); ++i) {
        if (!data.Maps[i].IsOk)
            continue;
        if (!cells[i] || cells[i]->scale != report.scale) {
            report.others.push_back({i, cells[i]});
            continue;
        }
        ++report.recognised;
        // A cell reaching past the box by less than the tolerance covers
        // nothing that is listed.
        if (const auto at = insideAt.constFind(cells[i]->name); at != insideAt.cend())
            holders[*at].push_back(i);
    }
    for (std::size_t k = 0; k < holders.size(); ++k) {
        if (holders[k].empty())
            report.missing.push_back(k);
        else if (holders[k].size() > 1)
            report.duplicates.push_back({k, std::move(holders[k])});
    }
    return report;
}

StepOutcome Coverage(Workspace& ws, int scale, QStringList* missingNames)
{
    const MapData& data = ws.data;
    if (!data.IndexMap.IsOk || data.GoodMapsCount <= 0)
        return StepOutcome::Completed;

    const CoverageReport report = ComputeCoverage(data, scale);
    ws.coverageScale = scale;
    ws.log.blank();
    if (report.scale == 0) {
        ws.log.append(QStringLiteral("Coverage: no map file is a standard sheet"));
        return StepOutcome::Completed;
    }
    const QString scaleText = ScaleText(report.scale);
    const QString chosen = scale == kAutoScale ? QStringLiteral(" (auto)") : QString();
    ws.log.append(QStringLiteral("Coverage at %1%2").arg(scaleText, chosen));
    if (report.inside.empty())
        ws.log.append(QStringLiteral("No sheet of %1 lies inside index map").arg(scaleText));
    else
        ws.log.append(QStringLiteral("%1 sheets of %2 inside index map").arg(report.inside.size()).arg(scaleText));
    ws.log.append(QStringLiteral("%1 map files recognised at %2").arg(report.recognised).arg(scaleText));

    if (!report.inside.empty()) {
        ws.log.blank();
        ws.log.append(QStringLiteral("%1 sheets missing").arg(report.missing.size()));
        for (std::size_t m = 0; m < report.missing.size(); ++m) {
            const QString& name = report.inside[report.missing[m]].name;
            if (m < kListedCells)
                ws.log.append(QStringLiteral("...") + name);
            if (missingNames)
                missingNames->append(name);
        }
        LogLeftOut(ws.log, report.missing.size());

        ws.log.blank();
        ws.log.append(QStringLiteral("%1 sheets held more than once").arg(report.duplicates.size()));
        for (std::size_t d = 0; d < std::min(report.duplicates.size(), kListedCells); ++d) {
            const auto& duplicate = report.duplicates[d];
            QStringList files;
            for (std::size_t i : duplicate.sheets)
                files.append(data.Maps[i].FileName);
            ws.log.append(QStringLiteral("...%1: %2").arg(report.inside[duplicate.cell].name, files.join(u", ")));
        }
        LogLeftOut(ws.log, report.duplicates.size());
    }

    ws.log.blank();
    ws.log.append(QStringLiteral("%1 map files are no sheet of %2").arg(report.others.size()).arg(scaleText));
    for (const auto& other : report.others) {
        const QString& file = data.Maps[other.sheet].FileName;
        if (other.cell)
            ws.log.append(
                QStringLiteral("...%1 is %2 of %3").arg(file, other.cell->name, ScaleText(other.cell->scale)));
        else
            ws.log.append(QStringLiteral("...%1 is no standard sheet").arg(file));
    }
    return StepOutcome::Completed;
}
