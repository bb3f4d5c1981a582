// SPDX-License-Identifier: GPL-3.0-or-later
// The web index of 20,000 sheets (the page, the OpenIndexMaps GeoJSON with
// the missing sheets of a coverage report, and a 4,000-pixel picture as
// tiles; target ≤ 1.5 s), its GeoJSON alone joined with a catalogue of
// 20,000 rows (reading the CSV file, matching and writing; target ≤ 0.5 s),
// thumbnails of 1,000 large scans, and finding the sheets under the pointer
// among them (target ≤ 1 ms: the check that the outlines are unchanged and
// the look-up), beside making the look-up grid once.

#include "NullLog.h"
#include "QtBenchmarkMain.h"
#include "SheetGrid.h"
#include "workflow/newindex/IndexMapFrame.h"
#include "workflow/newindex/IndexMapPicture.h"
#include "workflow/newindex/IndexProjection.h"
#include "workflow/web/OpenIndexSheets.h"
#include "workflow/web/PublishWeb.h"
#include "workflow/web/SheetHits.h"
#include "workflow/web/Thumbnails.h"
#include "imaging/JpegCodec.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>
#include <unistd.h>

namespace {

// The grid, with names that need escaping, its usable sheets placed on a
// 4,000-pixel index map made for them, with a coverage report asked for.
void Fill(Workspace& ws)
{
    FillSheetGrid(ws.data, [](int i, TSingleMap& sheet) {
        sheet.MapName = QStringLiteral("Лист <%1> & \"N\"").arg(i);
        sheet.ImageFile = QStringLiteral("лист %1.jpg").arg(i);
    });
    const IndexMapFrame frame = *PlanIndexMap(ws.data.Maps, 4000).frame;
    ws.workingImage = DrawIndexMapPicture(frame);
    ws.data.IndexMap = FrameRecord(frame);
    ws.data.IndexMap.FileName = QStringLiteral("index.jpg");
    const IndexProjection project(ws.data.IndexMap);
    for (TSingleMap& sheet : ws.data.Maps) {
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
    const WebIndexOptions options{dir.filePath("web"), dir.filePath("maps"), QString(), true, kSourceMapName, QString(), false, {}};
    for (auto _ : state)
        PublishWeb(ws, options);
    state.counters["page_bytes"] = static_cast<double>(QFile(dir.filePath("web/index.html")).size());
    state.counters["geojson_bytes"] = static_cast<double>(QFile(dir.filePath("web/sheets.geojson")).size());
    state.counters["width"] = ws.workingImage.width();
}
BENCHMARK(BM_PublishWeb)->Unit(benchmark::kMillisecond)->UseRealTime();

// A row for every sheet, keyed by image file, with a title holding a
// quote and a comma, a date, an edition, a switch, places and a link.
QByteArray CatalogueText()
{
    QByteArray text("fileName,title,datePub,edition,contLines,location,websiteUrl,shelf\r\n");
    for (int i = 0; i < kGridSheets; ++i) {
        text += QStringLiteral("лист %1.jpg,\"Лист \"\"%1\"\", N\",19%2,%3,yes,Place %1; Region,https://example.org/r/%1,"
                               "S-%1\r\n")
                    .arg(i)
                    .arg(i % 100, 2, 10, QLatin1Char('0'))
                    .arg(i % 3 + 1)
                    .toUtf8();
    }
    return text;
}

void BM_OpenIndexJoin(benchmark::State& state)
{
    NullLog log;
    Workspace ws(log, ".");
    Fill(ws);
    QTemporaryDir dir;
    const QString path = dir.filePath("catalogue.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(CatalogueText()) < 0)
        state.SkipWithError("cannot write the catalogue");
    file.close();
    std::vector<QString> links;
    for (const TSingleMap& sheet : ws.data.Maps)
        links.push_back("https://example.org/m/" + sheet.ImageFile);
    std::size_t bytes = 0;
    int matched = 0;
    for (auto _ : state) {
        const auto catalogue = ReadCatalogue(path);
        const OpenIndexSheets sheets = CollectOpenIndexSheets(ws.data, links, {}, {}, &std::get<Catalogue>(catalogue));
        bytes = static_cast<std::size_t>(WriteOpenIndexMap(sheets.features).size());
        matched = static_cast<int>(std::count_if(sheets.matches.begin(), sheets.matches.end(), [](int r) { return r >= 0; }));
    }
    state.counters["geojson_bytes"] = static_cast<double>(bytes);
    state.counters["matched"] = matched;
}
BENCHMARK(BM_OpenIndexJoin)->Unit(benchmark::kMillisecond)->UseRealTime();

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

// Thumbnails of 1,000 sheets whose images are 7,000 x 5,500 JPEGs (target
// <= 10 s): one picture with the grain of a scan, under 1,000 names; and
// again, beside the thumbnails the first publish made.
void BM_Thumbnails(benchmark::State& state)
{
    QTemporaryDir dir;
    QImage scan(7000, 5500, QImage::Format_RGB32);
    for (int y = 0; y < scan.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(scan.scanLine(y));
        for (int x = 0; x < scan.width(); ++x) {
            const quint32 grain = (quint32(x) * 73856093u ^ quint32(y) * 19349663u) * 0x5bd1e995u;
            const int v = 150 + int((x / 40 + y / 30) % 60) + int(grain >> 28);
            row[x] = qRgb(v, v - 10, v - 40);
        }
    }
    const QString first = dir.filePath("sheet-0.jpg");
    QFile file(first);
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeJpeg(scan, 85)) <= 0)
        return state.SkipWithError("cannot write the scan");
    file.close();
    NullLog log;
    Workspace ws(log, ".");
    for (int i = 0; i < 1000; ++i) {
        const QString name = QStringLiteral("sheet-%1").arg(i);
        if (i > 0 && ::link(QFile::encodeName(first).constData(), QFile::encodeName(dir.filePath(name + ".jpg")).constData()) != 0)
            return state.SkipWithError("cannot link the scan");
        TSingleMap sheet;
        sheet.FileName = name + ".map";
        sheet.ImageFile = name + ".jpg";
        sheet.IsOk = true;
        sheet.Pixels = {{0, 0}, {10, 0}, {10, 10}};
        ws.data.Maps.push_back(std::move(sheet));
    }
    std::size_t made = 0;
    const bool again = state.range(0) != 0;
    const QString earlier = dir.filePath("thumbs");
    if (again) {
        // What the last publish left: the same thumbnails, of unchanged images.
        QDir().mkpath(earlier);
        const auto firstMade = MakeThumbnails(ws, dir.path(), QString(), {}, 0, 1000);
        for (const FileReplacement& f : firstMade->files) {
            QFile thumb(earlier + u'/' + f.path);
            if (!thumb.open(QIODevice::WriteOnly) || thumb.write(f.bytes) != f.bytes.size())
                return state.SkipWithError("cannot write a thumbnail");
        }
    }
    for (auto _ : state)
        made = MakeThumbnails(ws, dir.path(), again ? earlier : QString(), {}, 0, 1000)->files.size();
    state.counters["thumbnails"] = double(made);
    state.counters["scan_bytes"] = double(QFileInfo(first).size());
}
// 0: a first publish; 1: publishing again, the images unchanged.
BENCHMARK(BM_Thumbnails)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks<QGuiApplication>(argc, argv); }
