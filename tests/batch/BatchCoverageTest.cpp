#include "BatchProcess.h"
#include "QtPrint.h"
#include "batch/BatchOptions.h"

#include <QRegularExpression>

namespace {

TEST(BatchCoverageTest, ReadsTheScaleAndRefusesWhatCannotRun)
{
    struct Case {
        QStringList extra;
        int scale;          // when accepted
        const char* error;  // nullptr: accepted
    };
    const Case kCases[] = {
        {{"--coverage", "auto"}, 0, nullptr},
        {{"--coverage", "1:100000"}, 100000, nullptr},
        {{"--coverage", "1:100 000", "--draw-missing", "--missing-list", "m.txt"}, 100000, nullptr},
        {{"--coverage", "1:1 000 000"}, 1000000, nullptr},
        {{"--coverage", "1:300000"}, 0, "Unknown scale: 1:300000"},
        {{"--draw-missing"}, 0, "--draw-missing and --missing-list need --coverage."},
    };
    for (const Case& c : kCases) {
        const ParsedCommandLine parsed =
            ParseBatchCommandLine(QStringList{"tessarine-batch", "--maps", "m", "--index", "i.map"} + c.extra);
        if (c.error) {
            EXPECT_EQ(parsed.error, QString::fromUtf8(c.error)) << c.extra.join(' ').toStdString();
        } else {
            ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
            EXPECT_TRUE(parsed.options->coverage.run);
            EXPECT_EQ(parsed.options->coverage.scale, c.scale) << c.extra.join(' ').toStdString();
        }
    }
}

TEST(BatchCoverageTest, TheAnalyzeStepReportsAndWritesTheMissingList)
{
    QTemporaryDir root;
    const QString list = root.filePath("missing.txt");
    const BatchOutput run = RunBatchProcess({"--maps", TESSARINE_DEMO "/maps", "--index", TESSARINE_DEMO "/index.map",
                                             "--stop-after", "analyze", "--coverage", "auto", "--missing-list", list});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList missing;
    const QStringList lines = run.out.split('\n');
    const qsizetype first = lines.indexOf(QRegularExpression("^\\d+ sheets missing$")) + 1;
    for (qsizetype k = first; lines.value(k).startsWith("..."); ++k)
        missing.append(lines[k].mid(3));
    EXPECT_FALSE(missing.isEmpty());
    EXPECT_EQ(QString::fromUtf8(testfiles::Read(list)), missing.join('\n') + '\n');
}

}  // namespace
