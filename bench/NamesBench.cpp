// SPDX-License-Identifier: GPL-3.0-or-later
// The names: one opacity slider step with a preview shown, on a small and a
// huge index image (the step must cost the same on both), and Draw map names
// for a few thousand sheets. Images are made in memory.

#include "NullLog.h"
#include "QtBenchmarkMain.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/panel/NamePreview.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

QFont NamesFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    return font;
}

QImage Background(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(230, 220, 200));
    return image;
}

void BM_PreviewSliderStep(benchmark::State& state)
{
    QImage image = Background(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    NamePreview preview;
    preview.show(image, QStringLiteral("N-37-XII (Kaluga)"), TPixel{image.width() / 2, image.height() / 2},
                 OpacityAlpha(30), NamesFont(), QColor(255, 0, 0));
    int position = 0;
    for (auto _ : state) {
        preview.redraw(image, OpacityAlpha(position));
        position = (position + 1) % 33;
        benchmark::ClobberMemory();
    }
    preview.hide(image);
}
BENCHMARK(BM_PreviewSliderStep)->Args({1000, 800})->Args({20000, 15000})->Unit(benchmark::kMicrosecond);

void BM_DrawNames(benchmark::State& state)
{
    const auto sheets = static_cast<int>(state.range(0));
    NullLog log;
    Workspace ws(log, ".");
    ws.workingImage = Background(8000, 6000);
    ws.data.IndexMap.IsOk = true;
    ws.data.GoodMapsCount = sheets;
    ws.data.Maps.resize(static_cast<std::size_t>(sheets));
    for (int i = 0; i < sheets; ++i) {
        TSingleMap& sheet = ws.data.Maps[static_cast<std::size_t>(i)];
        sheet.IsOk = true;
        sheet.MapName = QStringLiteral("Sheet %1").arg(i);
        sheet.NameCenter = TPixel{(i % 80) * 100 + 50, (i / 80) * 100 + 50};
    }
    const NameStyle style{NamesFont(), QColor(255, 0, 0), kSourceMapName, 30};
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawNames(ws, style));
    state.SetItemsProcessed(state.iterations() * sheets);
}
BENCHMARK(BM_DrawNames)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks<QGuiApplication>(argc, argv); }
