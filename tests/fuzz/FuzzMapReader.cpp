// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the calibration reader through Analyze: once as
// the only sheet of the maps folder beside a good index map, once as the
// index map beside a good sheet. Analyze must complete, stop on a problem it
// logs, or throw TessError; anything else is a fault. The sheet is read a
// second time whole, its corners from its calibration, and checked.

#include "MapFiles.h"
#include "core/Errors.h"
#include "workflow/calibration/CheckCalibrations.h"
#include "workflow/panel/Analyze.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

// On tmpfs when there is one: a run writes two files per input.
const QTemporaryDir root(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tess-fuzz-XXXXXX")
                                                   : QDir::tempPath() + QStringLiteral("/tess-fuzz-XXXXXX"));

void RunAnalyze(const QString& maps, const QString& index, SheetCorners corners = SheetCorners::Mmpll)
{
    MemoryLog log;
    Workspace ws(log, ".");
    ws.sheetCorners = corners;
    QString dir = root.filePath(maps);
    try {
        Analyze(ws, dir, root.filePath(index));
    } catch (const TessError&) {
        // The runtime's error for input that is no calibration file at all.
    }
    // The whole calibration, read and worked out: findings only, never an error.
    if (corners != SheetCorners::Mmpll)
        CheckCalibrations(ws);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        QDir(root.path()).mkdir("fuzzed");
        QDir(root.path()).mkdir("good");
        testfiles::Write(root.filePath("index.map"), testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40));
        testfiles::Write(root.filePath("good/sheet.map"), testfiles::Sheet("Sheet", "sheet.jpg", {{31, 59}, {32, 59}, {32, 58}}));
        return root.isValid();
    }();
    if (!ready)
        qFatal("cannot create a temporary folder");
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    testfiles::Write(root.filePath("fuzzed/fuzzed.map"), bytes);
    RunAnalyze("fuzzed", "index.map");
    RunAnalyze("fuzzed", "index.map", SheetCorners::Calibration);
    testfiles::Write(root.filePath("fuzzed-index.map"), bytes);
    RunAnalyze("good", "fuzzed-index.map");
    return 0;
}
