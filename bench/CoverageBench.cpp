// SPDX-License-Identifier: GPL-3.0-or-later
// Coverage of a large collection: 20,000 usable 1:50,000 sheets over an
// index map of 40° × 60° (57,600 cells). The log only counts its lines, so
// the figure is Coverage's own: recognising, listing and writing the lines.

#include "workflow/coverage/Coverage.h"

#include <benchmark/benchmark.h>

namespace {

class CountingLog final : public ResultsLog {
public:
    void append(const QString& text) override { characters += text.size(); }
    qsizetype characters = 0;
};

// 10..50 N, 0..60 E; each sheet a cell moved a little, as hand calibration
// on another datum leaves it.
MapData Collection(int sheets)
{
    MapData data;
    data.IndexMap.IsOk = true;
    data.IndexMap.LatLon = {{50, 0}, {50, 60}, {10, 60}, {10, 0}};
    const std::vector<SheetCell> cells = CellsInside(50000, 10, 50, 0, 60);
    for (int i = 0; i < sheets; ++i) {
        const SheetCell& c = cells[static_cast<std::size_t>(i) * cells.size() / static_cast<std::size_t>(sheets)];
        const double shift = 0.001 * (i % 7);
        TSingleMap sheet;
        sheet.FileName = c.name + QStringLiteral(".map");
        sheet.IsOk = true;
        sheet.LatLon = {{c.north + shift, c.west - shift}, {c.north, c.east}, {c.south - shift, c.east + shift},
                        {c.south, c.west}};
        data.Maps.push_back(std::move(sheet));
    }
    data.GoodMapsCount = sheets;
    return data;
}

void BM_Coverage(benchmark::State& state)
{
    const auto sheets = static_cast<int>(state.range(0));
    const int scale = static_cast<int>(state.range(1));
    CountingLog log;
    Workspace ws(log, ".");
    ws.data = Collection(sheets);
    for (auto _ : state)
        benchmark::DoNotOptimize(Coverage(ws, scale));
    benchmark::DoNotOptimize(log.characters);
    state.SetItemsProcessed(state.iterations() * sheets);
}
BENCHMARK(BM_Coverage)->Args({20000, 50000})->Args({20000, kAutoScale})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
