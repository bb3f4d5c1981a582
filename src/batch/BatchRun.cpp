// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/BatchRun.h"

#include "core/SafeWrite.h"
#include "workflow/calibration/CheckCalibrations.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/CalcNameCenters.h"
#include "workflow/panel/CalcPoints.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/panel/DrawBorders.h"
#include "workflow/coverage/DrawMissingSheets.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/export/ExportSheetIndex.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/newindex/MakeIndexMap.h"
#include "workflow/panel/SaveAs.h"
#include "workflow/panel/SaveJpg.h"
#include "workflow/web/PublishWeb.h"
#include "workflow/Workspace.h"

#include <cstdio>
#include <optional>

namespace {

// A line on standard error per report, so that a log on standard output
// stays as it would be without it.
// At most one line per tenth of the work.
bool PrintProgress(const QString& what, qint64 done, qint64 total)
{
    static qint64 lastTenth = -1;
    const qint64 tenth = total > 0 ? done * 10 / total : 10;
    if (tenth != lastTenth) {
        lastTenth = tenth;
        std::fprintf(stderr, "%s: %lld of %lld\n", qPrintable(what), static_cast<long long>(done), static_cast<long long>(total));
    }
    return true;
}

// Progress lines only when --progress asks for them.
ProgressFunction ProgressOf(const BatchOptions& options)
{
    return options.web.progress ? ProgressFunction(PrintProgress) : ProgressFunction();
}

WebIndexOptions WebOptionsOf(const BatchOptions& options, bool namesDrawn)
{
    return {options.web.dir,       options.mapsDir,        options.web.linkBase,
            options.web.force,     namesDrawn ? options.names.source : kNoNameSource,
            options.web.catalogue, options.web.thumbnails, ProgressOf(options)};
}

// The button that runs a step.
Command CommandOf(BatchStep step)
{
    switch (step) {
    case BatchStep::Analyze: return Command::Analyze;
    case BatchStep::Load: return Command::LoadImage;
    case BatchStep::Calc: return Command::Calc;
    case BatchStep::Borders: return Command::Draw;
    case BatchStep::Centers: return Command::CalcNames;
    case BatchStep::Names: return Command::Names;
    case BatchStep::Save: return Command::Save;
    }
    return Command::Analyze;
}

std::optional<BatchStep> NextStep(BatchStep step)
{
    if (step == BatchStep::Save)
        return std::nullopt;
    return static_cast<BatchStep>(static_cast<int>(step) + 1);
}

// Coverage belongs to the analyze step; its report never stops the run.
void RunCoverage(Workspace& ws, const CoverageBatchOptions& coverage)
{
    if (!coverage.run || !ws.commands.enabled(Command::Coverage))
        return;
    QStringList missing;
    Coverage(ws, coverage.scale, &missing);
    if (coverage.missingListFile.isEmpty())
        return;
    QByteArray bytes;
    for (const QString& name : missing)
        bytes += name.toUtf8() + '\n';
    ReplaceFileSafely(coverage.missingListFile, bytes);
}

// The panel's steps in order, up to the last one asked for or the first
// that cannot run; the exit status they earn.
// The web index, when asked for, is published with the Save step.
int RunSteps(Workspace& ws, const BatchOptions& options, bool& namesDrawn, std::optional<StepOutcome>& published)
{
    const IndexToolsBatchOptions& tools = options.indexTools;
    QString mapsDir = options.mapsDir;
    if (!options.names.customListFile.isEmpty())
        ws.data.CustomList = ReadCustomListFile(options.names.customListFile);
    for (BatchStep step = BatchStep::Analyze;; step = *NextStep(step)) {
        StepOutcome outcome = StepOutcome::Completed;
        switch (step) {
        case BatchStep::Analyze:
            outcome = Analyze(ws, mapsDir, options.indexMapFile, ProgressOf(options));
            if (!ws.missingMapsDir.isEmpty())
                PrintError(QStringLiteral("The maps folder does not exist: ") + ws.missingMapsDir);
            RunCoverage(ws, options.coverage);
            if (options.calibration.check && ws.commands.enabled(Command::ClearAll))
                CheckCalibrations(ws);
            if (!tools.exportFile.isEmpty() && ws.commands.enabled(Command::Export) &&
                ExportSheetIndex(ws, tools.exportFile, options.lineColor) == StepOutcome::Stopped)
                return kExitStopped;
            break;
        case BatchStep::Load: outcome = LoadImage(ws, options.indexMapFile); break;
        case BatchStep::Calc: outcome = CalcPoints(ws); break;
        case BatchStep::Borders:
            if (options.drawBorders)
                outcome = DrawBorders(ws, {options.lineWidthText, options.lineColor, options.fill});
            if (options.coverage.drawMissing) {
                const NameStyle names = MakeNameStyle(options.names);
                DrawMissingSheets(ws, options.coverage.scale,
                                  {options.lineWidthText, options.lineColor, names.font, names.color,
                                   names.opacityPosition});
            }
            break;
        case BatchStep::Centers:
            if (options.names.run)
                outcome = CalcNameCenters(ws, options.names.centerMethod);
            break;
        case BatchStep::Names:
            if (options.names.run) {
                outcome = DrawNames(ws, MakeNameStyle(options.names));
                namesDrawn = outcome == StepOutcome::Completed;
            }
            break;
        case BatchStep::Save: {
            const auto save = [&] {
                outcome = options.saveAsFile.isEmpty() ? SaveJpg(ws, options.outputFile) : SaveAs(ws, options.saveAsFile);
            };
            // The web index's tiles are made while the JPEG is encoded.
            if (options.web.dir.isEmpty())
                save();
            else
                published = PublishWeb(ws, WebOptionsOf(options, namesDrawn), save);
            break;
        }
        }
        if (outcome == StepOutcome::Stopped)
            return kExitStopped;
        // A later step whose button stayed disabled could not run: the log
        // tells why. The run's last step answers for the panel's next button.
        const auto next = NextStep(step);
        if (next && !ws.commands.enabled(CommandOf(*next)))
            return kExitStopped;
        if (step == options.stopAfter)
            return kExitOk;
    }
}

}  // namespace

bool DrawsPictures(const BatchOptions& options)
{
    return options.stopAfter != BatchStep::Analyze || !options.indexTools.makeIndexFile.isEmpty();
}

void PrintError(const QString& text)
{
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

int RunBatch(const BatchOptions& options, ResultsLog& log)
{
    Workspace ws(log);
    ws.sheetCorners = options.calibration.corners;
    ws.rasterSheets = options.calibration.rasters;
    const IndexToolsBatchOptions& tools = options.indexTools;
    if (!tools.makeIndexFile.isEmpty()) {
        return MakeIndexMap(ws, options.mapsDir, tools.makeIndexFile, tools.width, tools.force) == StepOutcome::Completed
                   ? kExitOk
                   : kExitStopped;
    }
    bool namesDrawn = false;
    std::optional<StepOutcome> published;
    const int status = RunSteps(ws, options, namesDrawn, published);
    // The page shows the picture as the steps left it; without the sheets'
    // places on it the log says it is not written.
    if (options.web.dir.isEmpty())
        return status;
    if (!published)
        published = PublishWeb(ws, WebOptionsOf(options, namesDrawn));
    return *published == StepOutcome::Stopped ? kExitStopped : status;
}
