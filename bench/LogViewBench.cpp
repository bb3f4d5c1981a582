// SPDX-License-Identifier: GPL-3.0-or-later
// The results log in the window: an operation writing 100,000 lines, then
// the handler's end putting them into the text box. Target: well under a
// second for the whole, so that a big maps folder never stalls the window.
#include "QtBenchmarkMain.h"
#include "ui/LogView.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>

namespace {

void BM_LogHundredThousandLines(benchmark::State& state)
{
    for (auto _ : state) {
        QPlainTextEdit edit;
        edit.setReadOnly(true);
        edit.setUndoRedoEnabled(false);
        LogView log(&edit);
        for (int i = 0; i < 100000; ++i)
            log.append(QStringLiteral("...p%1 Lat=55.75, Lon=37.62").arg(i % 4 + 1));
        log.flush();
        benchmark::DoNotOptimize(edit.blockCount());
    }
}
BENCHMARK(BM_LogHundredThousandLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks<QApplication>(argc, argv); }
