// Feeds arbitrary bytes to the calibration reader through Analyze: once as
// the only sheet of the maps folder beside a good index map, once as the
// index map beside a good sheet. Analyze must complete, stop on a problem it
// logs, or throw TessError; anything else is a fault.

#include "MapFiles.h"
#include "model/Errors.h"
#include "workflow/Analyze.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

// Files live on tmpfs when there is one: a run writes two per input.
struct Folders {
    Folders()
        : root(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tess-fuzz-XXXXXX")
                                         : QDir::tempPath() + QStringLiteral("/tess-fuzz-XXXXXX"))
    {
        if (!root.isValid())
            qFatal("cannot create a temporary folder");
        QDir dir(root.path());
        dir.mkdir("sheets");
        dir.mkdir("good");
        sheets = root.filePath("sheets/");
        good = root.filePath("good/");
        goodIndex = root.filePath("index.map");
        fuzzedSheet = sheets + "fuzzed.map";
        fuzzedIndex = root.filePath("fuzzed-index.map");
        testfiles::Write(goodIndex, testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40));
        testfiles::Write(good + "sheet.map",
                         testfiles::Sheet("Sheet", "sheet.jpg", {{31, 59}, {32, 59}, {32, 58}, {31, 58}}));
    }

    QTemporaryDir root;
    QString sheets, good, goodIndex, fuzzedSheet, fuzzedIndex;
};

void RunAnalyze(QString mapsDir, const QString& indexFile)
{
    MemoryLog log;
    Workspace ws(log, ".");
    try {
        Analyze(ws, mapsDir, indexFile);
    } catch (const TessError&) {
        // The runtime's error for input that is no calibration file at all.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static Folders folders;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    testfiles::Write(folders.fuzzedSheet, bytes);
    RunAnalyze(folders.sheets, folders.goodIndex);

    testfiles::Write(folders.fuzzedIndex, bytes);
    RunAnalyze(folders.good, folders.fuzzedIndex);
    return 0;
}
