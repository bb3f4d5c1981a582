// SPDX-License-Identifier: GPL-3.0-or-later
// Drives each case of tests/cases/ through the workflow calls, as the
// command buttons would, and through tessarine-batch. The format is
// described in tests/cases/README.md.

#include "CaseRunner.h"
#include "ErrorText.h"
#include "GuiApplication.h"
#include "Process.h"
#include "workflow/calibration/CheckCalibrations.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/coverage/DrawMissingSheets.h"
#include "workflow/export/ExportSheetIndex.h"
#include "workflow/newindex/MakeIndexMap.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/CalcNameCenters.h"
#include "workflow/panel/CalcPoints.h"
#include "workflow/panel/ClearAll.h"
#include "workflow/panel/CustomListEdits.h"
#include "workflow/panel/DrawBorders.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/panel/NamePreview.h"
#include "workflow/panel/SaveJpg.h"
#include "workflow/panel/Undo.h"

#include <QProcess>

#include <functional>
#include <map>
#include <utility>

namespace {

class WorkflowCase : public cases::CaseRunner, public ::testing::TestWithParam<QString> {
protected:
    Workspace& workspace() override { return ws; }
    QStringList logLines() const override { return log.lines(); }
    bool enabled(qsizetype command) override { return ws.commands.enabled(static_cast<Command>(command)); }
    void endStep() override
    {
        CaseRunner::endStep();
        EXPECT_EQ(exitStatus, 0) << "an exit status no case line expected";
        exitStatus = 0;
    }

    // tessarine-batch run in the case's folder; what it prints becomes the
    // step's lines.
    void batch(const QString& command)
    {
        const ProcessRun run = RunProgram(TESSARINE_BATCH, QProcess::splitCommand(command), root.path());
        for (const QString& printed : {run.out, run.err}) {
            EXPECT_TRUE(printed.isEmpty() || printed.endsWith(u'\n')) << "the last line printed has no line end";
            if (!printed.isEmpty())
                log.append(printed.chopped(1));
        }
        exitStatus = run.exitCode;
    }

    void press(const QStringList& a)
    {
        startStep();
        const auto arg = [&](int i) { return a.value(i); };
        const auto edit = [&](auto function) { list = function(list, qsizetype(ws.data.Maps.size())); };
        const std::map<QString, std::function<void()>> steps{
            {"analyze", [&] { QString maps = path(arg(3).isEmpty() ? "maps" : arg(3));
                              Analyze(ws, maps, arg(2) == "-" ? QString() : path(arg(2).isEmpty() ? "index.map" : arg(2))); }},
            {"load", [&] { LoadImage(ws, path(arg(2).isEmpty() ? "index.map" : arg(2))); loaded = ws.workingImage; }},
            {"calc", [&] { CalcPoints(ws); }},
            {"borders", [&] { DrawBorders(ws, {arg(2), QColor(arg(3)), arg(4) == "fill"}); }},
            {"centers", [&] { CalcNameCenters(ws, arg(2).toInt()); }},
            {"method", [&] { CenterMethodChosen(ws, arg(2).toInt()); }},
            {"names", [&] { style.source = arg(2).toInt(); style.opacityPosition = arg(3).toInt(); DrawNames(ws, style); }},
            {"coverage", [&] { Coverage(ws, arg(2).toInt()); }},
            {"corners", [&] { ws.sheetCorners = static_cast<SheetCorners>(arg(2).toInt()); }},
            {"rasters", [&] { ws.rasterSheets = arg(2) == "1"; }},
            {"check", [&] { CheckCalibrations(ws); }},
            {"missing", [&] { DrawMissingSheets(ws, arg(2).toInt(), {arg(3), QColor(arg(4)), style.font, style.color, arg(5).toInt()}); }},
            {"make-index", [&] { MakeIndexMap(ws, path(arg(2)), path(arg(3)), arg(4).toInt(), arg(5) == "force"); }},
            {"export", [&] { ExportSheetIndex(ws, path(arg(2)), QColor(arg(3))); }},
            {"undo", [&] { Undo(ws); }},
            {"save", [&] { SaveJpg(ws, arg(2).isEmpty() ? QString() : path(arg(2))); }},
            {"clear", [&] { ClearAll(ws); }},
            {"generate", [&] { list = GenerateList(ws.data, ListField(arg(2).toInt())); }},
            {"extensions", [&] { edit(RemoveExtensions); }},
            {"trim-left", [&] { edit(CutFirstCharacters); }},
            {"trim-right", [&] { edit(CutLastCharacters); }},
            {"identic", [&] { list = RemoveIdenticPositions(list); }},
            {"press", [&] { style.source = arg(4).isEmpty() ? style.source : arg(4).toInt();
                            const auto view = arg(2) == "-" ? std::nullopt : std::optional(TPixel{arg(2).toInt(), arg(3).toInt()});
                            shownAt = StartNamePreview(ws, preview, style, view); }},
            {"slide", [&] { preview.redraw(ws.workingImage, OpacityAlpha(arg(2).toInt())); }},
            {"release", [&] { preview.hide(ws.workingImage); }},
            {"batch", [&] { batch(a.mid(2).join(' ')); }},
        };
        ASSERT_TRUE(steps.count(arg(1))) << "unknown step";
        error = ErrorText(steps.at(arg(1)));
    }

    bool driverLine(const QStringList& a) override
    {
        if (a[0] == "run")
            press(a);
        else if (a[0] == "decimal")
            ws.decimalPoint = a[1];
        else if (a[0] == "custom")
            ws.data.CustomList = a.value(1).split('|', Qt::SkipEmptyParts);
        else if (a[0] == "list")
            list = a.mid(1).join(' ').split('|');
        else if (a[0] == "exit")
            EXPECT_EQ(std::exchange(exitStatus, 0), a[1].toInt()) << "the exit status";
        else if (a[0] == "lines")
            EXPECT_EQ(list.join('|'), a.mid(1).join(' '));
        else if (a[0] == "shown-at")
            EXPECT_EQ(shownAt ? QStringLiteral("%1 %2").arg(shownAt->X).arg(shownAt->Y) : "none", a.mid(1).join(' '));
        else if (a[0] == "same-length")
            EXPECT_EQ(AllLinesSameLength(list), a[1] == "yes");
        else
            return false;
        return true;
    }

    MemoryLog log;
    Workspace ws{log, "."};
    NameStyle style{QFont("DejaVu Sans"), QColor(255, 0, 0)};
    QStringList list;  // the Custom list dialog's lines
    NamePreview preview;
    std::optional<TPixel> shownAt;  // where the last press showed a name
    int exitStatus = 0;  // of the last batch run
};

TEST_P(WorkflowCase, GivesWhatTheCaseSays)
{
    EnsureGuiApplication();
    style.font.setPixelSize(13);
    runCase(TESSARINE_TEST_CASES, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, WorkflowCase, ::testing::ValuesIn(cases::CaseFiles(TESSARINE_TEST_CASES)), cases::CaseName);

}  // namespace
