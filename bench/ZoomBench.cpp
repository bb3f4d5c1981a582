// SPDX-License-Identifier: GPL-3.0-or-later
// The zoomed view: one zoom step and the repaint of a 1,200 x 800 view on a
// huge and on a small overview (the step must cost about the same on both),
// an opacity slider step with a name preview shown at fit and at 100%, and
// the pyramid's build against the decoding of the same image.
//
//   zoom_bench DIR     a folder of make_overview with a 20,000 x 15,000 overview

#include "OverviewData.h"
#include "imaging/ImagePyramid.h"
#include "imaging/JpegCodec.h"
#include "core/BinaryFile.h"
#include "ui/ImageView.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/panel/NamePreview.h"
#include "ui/ZoomLevels.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr QSize kView(1200, 800);
constexpr qint64 kNoLimit = qint64{1} << 40;

QString gDir;

const QByteArray& OverviewJpeg()
{
    static const QByteArray jpeg = ReadBinaryFile(overview::JpegFile(gDir));
    return jpeg;
}

// The huge overview decoded once, and a small one cut from it.
QImage& Overview(bool huge)
{
    static QImage large = DecodeJpeg(OverviewJpeg(), kNoLimit);
    static QImage small = large.copy(QRect(QPoint(5000, 5000), QSize(1000, 800)));
    return huge ? large : small;
}

// Renders the part of the view a 1,200 x 800 viewport shows, centred.
void Repaint(TImageView& view, QImage& screen, QRect part)
{
    view.render(&screen, QPoint(), QRegion(part), QWidget::RenderFlags());
    benchmark::ClobberMemory();
}

QRect CenterdViewport(const TImageView& view)
{
    const QPoint corner(std::max(0, (view.width() - kView.width()) / 2), std::max(0, (view.height() - kView.height()) / 2));
    return QRect(corner, kView).intersected(view.rect());
}

// Every level from the lowest up to 800% and back down, one step per
// iteration. The lowest is the fit, or 100% to compare the huge image with
// the small one (which shows whole at 100%) level for level.
void BM_ZoomStepAndRepaint(benchmark::State& state)
{
    QImage& image = Overview(state.range(0) != 0);
    TImageView view(&image);
    const double fit = state.range(1) ? FitZoom(image.size(), kView) : 1.0;
    std::vector<double> levels{fit};
    while (levels.back() < kMaxZoom)
        levels.push_back(ZoomIn(levels.back(), fit));
    for (std::size_t i = levels.size() - 1; i-- > 1;)
        levels.push_back(levels[i]);
    QImage screen(kView, QImage::Format_RGB32);
    std::size_t step = 0;
    for (auto _ : state) {
        view.setZoom(levels[step++ % levels.size()]);
        Repaint(view, screen, CenterdViewport(view));
    }
    state.counters["levels"] = double(levels.size());
}
BENCHMARK(BM_ZoomStepAndRepaint)
    ->ArgNames({"huge", "fromFit"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The slider's step in the window: the name drawn again, the pyramid
// brought up to date under it, and its box on screen repainted.
void BM_PreviewSliderStep(benchmark::State& state)
{
    QImage& image = Overview(true);
    TImageView view(&image);
    view.setZoom(state.range(0) ? FitZoom(image.size(), kView) : 1.0);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    NamePreview preview;
    preview.show(image, QStringLiteral("N-37-XII (Kaluga)"), TPixel{image.width() / 2, image.height() / 2},
                 OpacityAlpha(30), font, QColor(255, 0, 0));
    QImage screen(kView, QImage::Format_RGB32);
    int position = 0;
    for (auto _ : state) {
        preview.redraw(image, OpacityAlpha(position));
        position = (position + 1) % 33;
        view.refresh(preview.changedRect());
        Repaint(view, screen, view.viewRect(preview.changedRect()));
    }
    preview.hide(image);
}
BENCHMARK(BM_PreviewSliderStep)->ArgName("fit")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// Both after one untimed run: the first touch of fresh memory on the build
// machine's virtual machine costs more than either computation, and would
// be measured only once (see the README's Performance section).
void BM_DecodeOverview(benchmark::State& state)
{
    benchmark::DoNotOptimize(DecodeJpeg(OverviewJpeg(), kNoLimit));
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeJpeg(OverviewJpeg(), kNoLimit));
}
BENCHMARK(BM_DecodeOverview)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// New levels each time, as when an image is loaded.
void BM_BuildPyramid(benchmark::State& state)
{
    const QImage& image = Overview(true);
    ImagePyramid().build(image);
    for (auto _ : state) {
        ImagePyramid pyramid;
        pyramid.build(image);
        benchmark::DoNotOptimize(pyramid.bytes());
    }
}
BENCHMARK(BM_BuildPyramid)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zoom_bench [benchmark options] DIR\n");
        return 2;
    }
    gDir = QString::fromLocal8Bit(argv[1]);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
