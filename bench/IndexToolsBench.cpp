// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet index of 20,000 sheets exported to GeoJSON and to KML (target
// ≤ 300 ms each), and a 4,000-pixel index map made for them (the frame
// planned, the picture drawn, encoded and written with its calibration)
// against `cjpeg -quality 90` encoding a picture of the same size (target
// ≤ 1.5 ×). Reading the sheets is Analyze's cost, measured by analyze_bench.

#include "NullLog.h"
#include "QtBenchmarkMain.h"
#include "SheetGrid.h"
#include "imaging/JpegCodec.h"
#include "workflow/export/ExportSheetIndex.h"
#include "workflow/newindex/IndexMapPicture.h"
#include "workflow/newindex/MakeIndexMap.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// The grid, every hundredth sheet without corners, the corners a little
// off the cell's as scans are, on an index map of 40..74 N, 0..100 E.
MapData Collection()
{
    MapData data;
    data.IndexMap.IsOk = true;
    data.IndexMap.LatLon = {{74, 0}, {74, 100}, {40, 100}, {40, 0}};
    FillSheetGrid(data, [](int i, TSingleMap& sheet) {
        sheet.MapName = QStringLiteral("Лист %1").arg(i);
        sheet.ImageFile = QStringLiteral("sheet-%1.jpg").arg(i);
        if (i % 100 == 0)
            sheet.Problem = SheetProblem::NoGoodMmpll;
        sheet.LatLon[0].Lon += 0.0001;
        sheet.LatLon[1].Lat += 0.0002;
        sheet.LatLon[2].Lon += 0.0003;
        sheet.LatLon[3].Lat -= 0.0001;
    });
    return data;
}

void BM_Export(benchmark::State& state, const char* suffix)
{
    NullLog log;
    Workspace ws(log, ".");
    ws.data = Collection();
    ws.indexMapFile = QStringLiteral("index.map");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sheets.") + suffix);
    for (auto _ : state)
        ExportSheetIndex(ws, file, Qt::red);
    state.counters["bytes"] = static_cast<double>(QFile(file).size());
}
BENCHMARK_CAPTURE(BM_Export, geojson, "geojson")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Export, kml, "kml")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MakeIndexMap(benchmark::State& state)
{
    const MapData data = Collection();
    QTemporaryDir dir;
    const QString file = dir.filePath("made.map");
    IndexMapFrame frame;
    for (auto _ : state) {
        frame = *PlanIndexMap(data.Maps, 4000).frame;
        ReplaceFilesSafely(IndexMapFiles(frame, file));
    }
    state.counters["height"] = frame.height;
}
BENCHMARK(BM_MakeIndexMap)->Unit(benchmark::kMillisecond)->UseRealTime();


// The same picture as a PPM file, encoded by libjpeg-turbo's own program.
void BM_CjpegSameSize(benchmark::State& state)
{
    const MapData data = Collection();
    const QImage picture = DrawIndexMapPicture(*PlanIndexMap(data.Maps, 4000).frame);
    QTemporaryDir dir;
    QByteArray ppm = QFile::encodeName(dir.filePath("picture.ppm"));
    QByteArray out = QFile::encodeName(dir.filePath("cjpeg.jpg"));
    picture.convertToFormat(QImage::Format_RGB888).save(QString::fromLocal8Bit(ppm), "PPM");
    char* argv[] = {const_cast<char*>("cjpeg"), const_cast<char*>("-quality"), const_cast<char*>("90"),
                    const_cast<char*>("-outfile"), out.data(), ppm.data(), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) != 0 || waitpid(pid, &status, 0) < 0 ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("cjpeg failed");
            break;
        }
    }
}
BENCHMARK(BM_CjpegSameSize)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks<QGuiApplication>(argc, argv); }
