// SPDX-License-Identifier: GPL-3.0-or-later
// Analyze on large inputs: a folder of many sheets, and one sheet with many
// corners. The files are written once per size into a temporary folder.

#include "ScaleMaps.h"
#include "workflow/panel/Analyze.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Inputs {
    QTemporaryDir root{scalemaps::ScratchTemplate()};
    QString mapsDir = root.filePath("maps");
    QString indexFile = root.filePath("index.map");

    Inputs()
    {
        if (!root.isValid())
            qFatal("cannot create a temporary folder");
        QDir(root.path()).mkdir("maps");
        testfiles::Write(indexFile, scalemaps::IndexMap());
    }

    void run(benchmark::State& state)
    {
        for (auto _ : state) {
            MemoryLog log;
            Workspace ws(log, ".");
            QString dir = mapsDir;
            benchmark::DoNotOptimize(Analyze(ws, dir, indexFile));
        }
    }
};

void BM_AnalyzeFolderOfSheets(benchmark::State& state)
{
    Inputs inputs;
    const auto sheets = static_cast<int>(state.range(0));
    scalemaps::WriteSheets(inputs.mapsDir, sheets);
    inputs.run(state);
    state.SetItemsProcessed(state.iterations() * sheets);
}
BENCHMARK(BM_AnalyzeFolderOfSheets)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_AnalyzeSheetWithManyCorners(benchmark::State& state)
{
    Inputs inputs;
    const auto corners = static_cast<int>(state.range(0));
    testfiles::Write(inputs.mapsDir + "/many.map", testfiles::Sheet("Many", "many.jpg", scalemaps::ManyCorners(corners)));
    inputs.run(state);
    state.SetItemsProcessed(state.iterations() * corners);
}
BENCHMARK(BM_AnalyzeSheetWithManyCorners)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
