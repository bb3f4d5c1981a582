// SPDX-License-Identifier: GPL-3.0-or-later
// Load image and Save jpg on large overviews, against libjpeg-turbo's own
// djpeg and cjpeg on the same image in the same run, and the peak memory of
// a whole load-(draw-)save run in a child process.
//
//   jpeg_bench DIR...      folders written by make_overview
//
// Reported: Load ÷ djpeg (target ≤ 1.15), Save ÷ cjpeg -quality 90 (target
// ≤ 1.15), peak RSS ÷ 4·W·H (target ≤ 1.25), and Draw borders time when
// this build has it.

#include "NullLog.h"
#include "OverviewData.h"
#include "imaging/JpegCodec.h"
#include "core/BinaryFile.h"
#include "core/Errors.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/panel/SaveJpg.h"

#if __has_include("workflow/panel/DrawBorders.h") && __has_include("workflow/panel/CalcPoints.h")
#include "workflow/panel/CalcPoints.h"
#include "workflow/panel/DrawBorders.h"
#define TESSARINE_BENCH_DRAW 1
#else
#define TESSARINE_BENCH_DRAW 0
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <functional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRepeats = 3;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Runs a program to its end; its wall time, and its resource use in `usage`.
double RunProgram(const std::vector<QByteArray>& argv, rusage* usage = nullptr)
{
    std::vector<char*> args;
    for (const QByteArray& a : argv)
        args.push_back(const_cast<char*>(a.constData()));
    args.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        qFatal("cannot start %s", args[0]);
    int status = 0;
    rusage local {};
    if (wait4(pid, &status, 0, usage ? usage : &local) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("%s failed", args[0]);
    return Seconds(Clock::now() - start);
}

double Best(const std::function<double()>& run)
{
    double best = 1e300;
    for (int i = 0; i < kRepeats; ++i)
        best = std::min(best, run());
    return best;
}

double Timed(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return Seconds(Clock::now() - start);
}

void Prepare(Workspace& ws, const QString& dir)
{
    QString maps = overview::MapsDir(dir);
    if (Analyze(ws, maps, overview::IndexFile(dir)) != StepOutcome::Completed)
        qFatal("analysis of %s failed", qPrintable(dir));
}

#if TESSARINE_BENCH_DRAW
BorderOptions Borders() { return BorderOptions{QStringLiteral("2"), QColor(Qt::red), false}; }
#endif

// The whole run whose peak memory is measured, in a process of its own.
int Child(const QString& dir)
{
    NullLog log;
    Workspace ws(log, ".");
    Prepare(ws, dir);
    if (LoadImage(ws, overview::IndexFile(dir)) != StepOutcome::Completed)
        return 1;
#if TESSARINE_BENCH_DRAW
    CalcPoints(ws);
    DrawBorders(ws, Borders());
#endif
    SaveJpg(ws, dir + "/child-saved.jpg");
    return 0;
}

void Measure(const QString& dir, const QByteArray& self)
{
    const QSize size = ReadJpegSize(ReadBinaryFile(overview::JpegFile(dir)));
    const double pixels = static_cast<double>(size.width()) * size.height();
    const QByteArray jpeg = QFile::encodeName(overview::JpegFile(dir));
    const QByteArray ppm = QFile::encodeName(overview::PpmFile(dir));
    const QByteArray cjpegOut = QFile::encodeName(dir + "/cjpeg-out.jpg");

    const double djpeg = Best([&] { return RunProgram({"djpeg", "-outfile", "/dev/null", jpeg}); });
    NullLog log;
    Workspace ws(log, ".");
    Prepare(ws, dir);
    const double load = Best([&] {
        ws.workingImage = QImage();
        return Timed([&] { LoadImage(ws, overview::IndexFile(dir)); });
    });
    const double cjpeg = Best([&] { return RunProgram({"cjpeg", "-quality", "90", "-outfile", cjpegOut, ppm}); });
    const QString saved = dir + "/saved.jpg";
    const double save = Best([&] { return Timed([&] { SaveJpg(ws, saved); }); });
    const double encode = Best([&] { return Timed([&] { EncodeJpeg(ws.workingImage); }); });

    std::printf("\n%s: %d x %d pixels, %.1f MB JPEG, %lld sheets\n", qPrintable(dir), size.width(), size.height(),
                QFileInfo(overview::JpegFile(dir)).size() / 1e6, static_cast<long long>(ws.data.Maps.size()));
    std::printf("  djpeg                 %8.3f s\n", djpeg);
    std::printf("  Load image            %8.3f s   ratio %.3f (target <= 1.15)\n", load, load / djpeg);
    std::printf("  cjpeg -quality 90     %8.3f s\n", cjpeg);
    std::printf("  Save jpg              %8.3f s   ratio %.3f (target <= 1.15)\n", save, save / cjpeg);
    std::printf("    of which encoding   %8.3f s   ratio %.3f\n", encode, encode / cjpeg);
#if TESSARINE_BENCH_DRAW
    CalcPoints(ws);
    const double draw = Best([&] { return Timed([&] { DrawBorders(ws, Borders()); }); });
    std::printf("  Draw borders          %8.3f s\n", draw);
#else
    std::printf("  Draw borders          not in this build\n");
#endif
    ws.workingImage = QImage();

    rusage usage {};
    RunProgram({self, "--child", QFile::encodeName(dir)}, &usage);
    const double peak = static_cast<double>(usage.ru_maxrss) * 1024.0;
    std::printf("  peak memory of load-%ssave: %.0f MB = %.3f x 4*W*H (target <= 1.25)\n",
                TESSARINE_BENCH_DRAW ? "draw-" : "", peak / 1e6, peak / (4.0 * pixels));
    std::fflush(stdout);
    QFile::remove(saved);
    QFile::remove(dir + "/child-saved.jpg");
    QFile::remove(QString::fromLocal8Bit(cjpegOut));
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts and painting for Draw borders
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == "--child")
            return Child(args[2]);
        if (args.size() < 2) {
            std::fprintf(stderr, "usage: jpeg_bench DIR...\n");
            return 2;
        }
        const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
        for (qsizetype i = 1; i < args.size(); ++i)
            Measure(args[i], self);
    } catch (const TessError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 3;
    }
    return 0;
}
