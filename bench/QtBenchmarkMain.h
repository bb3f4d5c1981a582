// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main() of a benchmark program whose code needs a Qt application of
// kind App (fonts, painting, widgets), on the offscreen platform unless
// another is asked for.

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

template <typename App>
int RunQtBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    App app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
