// SPDX-License-Identifier: GPL-3.0-or-later
// The web index of 20,000 sheets (the page, the OpenIndexMaps GeoJSON with
// the missing sheets of a coverage report, and a 4,000-pixel picture as
// JPEG; target ≤ 1.5 s), and finding the sheets under the pointer among
// them (target ≤ 1 ms: the check that the outlines are unchanged and the
// look-up), beside making the look-up grid once.

#include "QtBenchmarkMain.h"
#include "workflow/newindex/IndexMapFrame.h"
#include "workflow/newindex/IndexMapPicture.h"
#include "workflow/newindex/IndexProjection.h"
#include "workflow/web/PublishWeb.h"
#include "workflow/web/SheetHits.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kSheets = 20000;

class NullLog final : public ResultsLog {
public:
    void append(const QString&) override {}
};

// 100 × 200 sheets of 1:100,000 over 40..73 N, 0..100 E, every tenth
// unusable, the usable ones placed on a 4,000-pixel index map of them.
void Fill(Workspace& ws)
{
    MapData& data = ws.data;
    for (int i = 0; i < kSheets; ++i) {
        const double north = 73.0 - (i / 200) / 3.0;
        const double west = (i % 200) * 0.5;
        TSingleMap sheet;
        sheet.FileName = QStringLiteral("sheet-%1.map").arg(i);
        sheet.MapName = QStringLiteral("Лист <%1> & \"N\"").arg(i);
        sheet.ImageFile = QStringLiteral("лист %1.jpg").arg(i);
        sheet.IsOk = i % 10 != 0;
        sheet.Problem = sheet.IsOk ? SheetProblem::None : SheetProblem::NotInsideIndexMap;
        sheet.LatLon = {{north, west}, {north, west + 0.5}, {north - 1 / 3.0, west + 0.5}, {north - 1 / 3.0, west}};
        data.Maps.push_back(std::move(sheet));
        data.GoodMapsCount += data.Maps.back().IsOk ? 1 : 0;
    }
    const IndexMapFrame frame = *PlanIndexMap(data.Maps, 4000).frame;
    ws.workingImage = DrawIndexMapPicture(frame);
    data.IndexMap.IsOk = true;
    data.IndexMap.FileName = QStringLiteral("index.jpg");
    data.IndexMap.LatLon = {{frame.north, frame.west}, {frame.north, frame.east}, {frame.south, frame.east},
                            {frame.south, frame.west}};
    data.IndexMap.Pixels = {{0, 0}, {frame.width, 0}, {frame.width, frame.height}, {0, frame.height}};
    const IndexProjection project(data.IndexMap);
    for (TSingleMap& sheet : data.Maps) {
        if (sheet.IsOk) {
            for (const TGeoPoint& p : sheet.LatLon)
                sheet.Pixels.push_back(project(p));
        }
    }
    ws.indexMapFile = QStringLiteral("index.map");
    ws.coverageScale = 100000;
}

void BM_PublishWeb(benchmark::State& state)
{
    NullLog log;
    Workspace ws(log, ".");
    Fill(ws);
    QTemporaryDir dir;
    const WebIndexOptions options{dir.filePath("web"), dir.filePath("maps"), QString(), true, kSourceMapName};
    for (auto _ : state)
        PublishWeb(ws, options);
    state.counters["page_bytes"] = static_cast<double>(QFile(dir.filePath("web/index.html")).size());
    state.counters["geojson_bytes"] = static_cast<double>(QFile(dir.filePath("web/sheets.geojson")).size());
    state.counters["width"] = ws.workingImage.width();
}
BENCHMARK(BM_PublishWeb)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SheetsUnderPointer(benchmark::State& state)
{
    NullLog log;
    Workspace ws(log, ".");
    Fill(ws);
    const SheetHits hits(ws.data.Maps);
    const std::size_t key = OutlinesKey(ws.data.Maps);
    std::mt19937 random(1);
    std::uniform_real_distribution<double> x(0, ws.workingImage.width()), y(0, ws.workingImage.height());
    std::size_t found = 0;
    for (auto _ : state) {
        if (OutlinesKey(ws.data.Maps) != key)
            state.SkipWithError("outlines changed");
        found += hits.at(x(random), y(random)).size();
    }
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_SheetsUnderPointer)->Unit(benchmark::kMicrosecond);

void BM_SheetHitsGrid(benchmark::State& state)
{
    NullLog log;
    Workspace ws(log, ".");
    Fill(ws);
    for (auto _ : state)
        benchmark::DoNotOptimize(SheetHits(ws.data.Maps));
}
BENCHMARK(BM_SheetHitsGrid)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks<QGuiApplication>(argc, argv); }
