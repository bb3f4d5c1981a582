// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the calibration reader through Analyze: once as
// the only sheet of the maps folder beside a good index map, once as the
// index map beside a good sheet. Analyze must complete, stop on a problem it
// logs, or throw TessError; anything else is a fault.

#include "MapFiles.h"
#include "core/Errors.h"
#include "workflow/panel/Analyze.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

// On tmpfs when there is one: a run writes two files per input.
const QTemporaryDir root(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tess-fuzz-XXXXXX")
                                                   : QDir::tempPath() + QStringLiteral("/tess-fuzz-XXXXXX"));

void RunAnalyze(const QString& maps, const QString& index)
{
    MemoryLog log;
    Workspace ws(log, ".");
    QString dir = root.filePath(maps);
    try {
        Analyze(ws, dir, root.filePath(index));
    } catch (const TessError&) {
        // The runtime's error for input that is no calibration file at all.
    }
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
    testfiles::Write(root.filePath("fuzzed-index.map"), bytes);
    RunAnalyze("good", "fuzzed-index.map");
    return 0;
}
