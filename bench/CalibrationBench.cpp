// SPDX-License-Identifier: GPL-3.0-or-later
// Sheet corners from the calibration against MMPLL lines, and Check
// calibrations, on 20,000 sheets: half UTM on WGS 84 with grid points, half
// Pulkovo 1942 Gauss-Krüger with degree points, each with the 30 Point lines
// of a real file (26 of them blank). Written once into a temporary folder.

#include "ScaleMaps.h"
#include "workflow/calibration/CheckCalibrations.h"
#include "workflow/panel/Analyze.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <proj.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kSheets = 20000;
constexpr int kImage = 4000;

QString Degrees(double v, char positive, char negative)
{
    const double a = std::abs(v);
    const int d = static_cast<int>(a);
    return QStringLiteral("%1,%2,%3").arg(d, 4).arg((a - d) * 60.0, 8, 'f', 4).arg(QChar(v < 0 ? negative : positive));
}

// A sheet of 4,000 x 4,000 px: corners as Point lines, MMPXY and MMPLL.
QByteArray Sheet(int i)
{
    const bool utm = i % 2 == 0;
    const int cell = i / 2;
    const double south = 50.0 + (cell / 100) * 0.1, west = 31.0 + (cell % 100) * 0.08;
    const double north = south + 0.1, east = west + 0.08;
    QStringList l{"OziExplorer Map Data File Version 2.2", QStringLiteral("Sheet %1").arg(i),
                  QStringLiteral("s%1.jpg").arg(i), "1 ,Map Code,",
                  utm ? "WGS 84,WGS 84,   0.0000,   0.0000,WGS 84" : "Pulkovo 1942 (1),WGS 84,   0.0000,   0.0000,WGS 84",
                  "Reserved 1", "Reserved 2", "Magnetic Variation,,,E",
                  utm ? "Map Projection,(UTM) Universal Transverse Mercator,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No"
                      : "Map Projection,Transverse Mercator,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No"};
    const double lats[] = {north, north, south, south}, lons[] = {west, east, east, west};
    const int xs[] = {0, kImage, kImage, 0}, ys[] = {0, 0, kImage, kImage};
    for (int k = 0; k < 4; ++k) {
        // Grid points of zone 36, near enough for timing: a metre grid that
        // grows east and north.
        const double e = 500000.0 + (lons[k] - 33.0) * 111320.0 * std::cos(lats[k] * M_PI / 180.0);
        const double n = lats[k] * 111200.0;
        l << (utm ? QStringLiteral("Point%1,xy,%2,%3,in, deg,    ,        ,N,    ,        ,E, grid, 36,%4,%5,N")
                        .arg(k + 1, 2, 10, QChar('0')).arg(xs[k]).arg(ys[k]).arg(e, 0, 'f', 0).arg(n, 0, 'f', 0)
                  : QStringLiteral("Point%1,xy,%2,%3,in, deg,%4,%5, grid,   ,           ,           ,N")
                        .arg(k + 1, 2, 10, QChar('0')).arg(xs[k]).arg(ys[k])
                        .arg(Degrees(lats[k], 'N', 'S'), Degrees(lons[k], 'E', 'W')));
    }
    for (int k = 5; k <= 30; ++k)
        l << QStringLiteral("Point%1,xy,     ,     ,in, deg,    ,        ,N,    ,        ,E, grid,   ,           ,           ,N").arg(k, 2, 10, QChar('0'));
    l << (utm ? "Projection Setup,,,,,,,,,," : "Projection Setup, 0.000000000, 33.000000000, 1.000000000, 6500000.00, 0.00,,,,,");
    l << "MMPNUM,4";
    for (int k = 0; k < 4; ++k)
        l << QStringLiteral("MMPXY,%1,%2,%3").arg(k + 1).arg(xs[k]).arg(ys[k]);
    for (int k = 0; k < 4; ++k)
        l << QStringLiteral("MMPLL,%1,%2,%3").arg(k + 1).arg(lons[k], 11, 'f', 6).arg(lats[k], 11, 'f', 6);
    l << "MM1B,2.5" << QStringLiteral("IWH,Map Image Width/Height,%1,%1").arg(kImage);
    return l.join("\r\n").toUtf8() + "\r\n";
}

struct Folder {
    QTemporaryDir root{scalemaps::ScratchTemplate()};
    QString mapsDir = root.filePath("maps");
    QString indexFile = root.filePath("index.map");
    Folder()
    {
        QDir(root.path()).mkdir("maps");
        testfiles::Write(indexFile, testfiles::IndexMap("index.jpg", 1000, 800, 70, 40, 20, 60));
        for (int i = 0; i < kSheets; ++i)
            testfiles::Write(mapsDir + "/" + scalemaps::SheetFile(i), Sheet(i));
    }
};

Folder& Sheets()
{
    static Folder folder;
    return folder;
}

void Analyzed(Workspace& ws)
{
    QString dir = Sheets().mapsDir;
    Analyze(ws, dir, Sheets().indexFile);
    if (ws.data.GoodMapsCount != kSheets)
        qFatal("%d of %d sheets usable", ws.data.GoodMapsCount, kSheets);
}

void BM_Analyze(benchmark::State& state, SheetCorners corners)
{
    Sheets();
    for (auto _ : state) {
        MemoryLog log;
        Workspace ws(log, ".");
        ws.sheetCorners = corners;
        Analyzed(ws);
    }
    state.SetItemsProcessed(state.iterations() * kSheets);
}
BENCHMARK_CAPTURE(BM_Analyze, mmpll, SheetCorners::Mmpll)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Analyze, calibration, SheetCorners::Calibration)->Unit(benchmark::kMillisecond);

void BM_CheckCalibrations(benchmark::State& state)
{
    MemoryLog log;
    Workspace ws(log, ".");
    Analyzed(ws);
    CheckCalibrations(ws);  // the PROJ objects are made once, as in a session
    for (auto _ : state)
        CheckCalibrations(ws);
    state.SetItemsProcessed(state.iterations() * kSheets);
}
BENCHMARK(BM_CheckCalibrations)->Unit(benchmark::kMillisecond);

// The first check of a session: the PROJ objects made afresh.
void BM_CheckCalibrationsFirst(benchmark::State& state)
{
    MemoryLog log;
    Workspace ws(log, ".");
    Analyzed(ws);
    for (auto _ : state) {
        ws.proj.reset();
        CheckCalibrations(ws);
    }
    state.SetItemsProcessed(state.iterations() * kSheets);
}
BENCHMARK(BM_CheckCalibrationsFirst)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    proj_cleanup();
    return 0;
}
