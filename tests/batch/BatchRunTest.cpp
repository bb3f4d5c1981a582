// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "MapFiles.h"
#include "Process.h"
#include "imaging/JpegCodec.h"
#include "settings/IniFile.h"
#include "settings/StoredSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The batch tool run as a user runs it: one run per option group; what the
// steps themselves do is the workflow's tests' business.

namespace {

using testfiles::Write;

ProcessRun RunBatchProcess(const QStringList& arguments) { return RunProgram(TESSARINE_BATCH, arguments); }

// A folder of its own per test: two sheets inside a 400 x 300 grey overview
// over 30..40 E, 50..60 N.
class BatchRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(root.path()).mkdir("maps");
        Write(maps + "/a.map", testfiles::Sheet("Alpha", "a.jpg", {{31, 59}, {35, 59}, {35, 53}, {31, 53}}));
        Write(maps + "/c.map", testfiles::Sheet("Gamma", "c.jpg", {{35, 55}, {39, 55}, {39, 51}, {35, 51}}));
        Write(index, testfiles::IndexMap("index.jpg", 400, 300, 60, 50, 30, 40));
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(qRgb(128, 128, 128));
        Write(root.filePath("index.jpg"), EncodeJpeg(image));
    }

    QStringList args(const QStringList& extra = {}) const { return QStringList{"--maps", maps, "--index", index} + extra; }

    // Runs to Save jpg into `name`, which must succeed; its bytes.
    QByteArray save(const QString& name, const QStringList& options)
    {
        const ProcessRun r = RunBatchProcess(args(options + QStringList{"--output", root.filePath(name)}));
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return testfiles::Read(root.filePath(name));
    }

    QTemporaryDir root;
    QString maps = root.filePath("maps");
    QString index = root.filePath("index.map");
};

TEST_F(BatchRun, PrintsTheResultsLogLineForLine)
{
    QFile::remove(maps + "/c.map");
    Write(maps + "/a.map", testfiles::Sheet(QString::fromUtf8("Сычево"), "n.jpg", {{31, 59}, {32, 58}, {31, 58}}));
    const ProcessRun r = RunBatchProcess(args({"--stop-after", "analyze"}));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, QString::fromUtf8(testfiles::Read(TESSARINE_TEST_DATA "/batch/analyze-stdout.txt")));
}

// The exit statuses and what the run prints, from tests/data/batch/exit-status.txt.
TEST_F(BatchRun, ExitStatusTellsHowTheRunEnded)
{
    for (const QStringList& row : testfiles::Rows("batch/exit-status.txt")) {
        const QStringList arguments = QString(row[0]).replace("...", "--maps {maps} --index {index}").replace("{maps}", maps).replace("{index}", index).replace("{root}", root.path()).split(' ');
        const ProcessRun r = RunBatchProcess(arguments);
        EXPECT_EQ(r.exitCode, row[1].toInt()) << row[0].toStdString();
        EXPECT_TRUE(QRegularExpression(row[2]).match(r.out + r.err).hasMatch())
            << row[0].toStdString() << ": " << (r.out + r.err).toStdString();
    }
    EXPECT_FALSE(QFile::exists(root.filePath("out.jpg")));
    Write(maps + "/short.map", "only\r\ntwo lines\r\n");
    const ProcessRun error = RunBatchProcess(args());
    EXPECT_EQ(error.exitCode, 3);
    EXPECT_EQ(error.err, "List index out of bounds (2)\n");
}

// Opacity 0 draws nothing; the names are drawn by default; a settings file
// gives what the same border and names options on the command line give.
TEST_F(BatchRun, NamesAndSettingsChangeWhatIsSaved)
{
    const QByteArray plain = save("plain.jpg", {"--no-names"});
    EXPECT_EQ(save("transparent.jpg", {"--opacity", "0"}), plain);
    EXPECT_NE(save("names.jpg", {}), plain);

    NamesFont font;
    font.family = "DejaVu Sans";
    font.height = -18;
    font.bold = true;
    font.color = 0xFF008000u;
    testfiles::Write(root.filePath("tessarine.ini"), "[graphics]\nLineWidth=4\nLineColor=13\nFillPolygons=1\nCenterNames=1\n"
                                                     "NamesSrc=1\nAlpha=20\nFont=" + EncodeIniBinary(SerializeNamesFont(font)).toLatin1());
    const QByteArray fromFile = save("file.jpg", {"--settings", root.filePath("tessarine.ini")});
    EXPECT_EQ(fromFile, save("options.jpg", {"--line-width", "4", "--line-color", "Blue", "--fill", "--centers",
                                             "barycenter", "--names", "file", "--opacity", "20", "--font",
                                             "DejaVu Sans", "--font-size", "18", "--bold", "--font-color", "#008000"}));
    EXPECT_NE(fromFile, save("defaults.jpg", {}));
}

// The log names at most 500 missing cells and counts the rest; the list
// holds every one.
TEST(BatchCoverage, ReportsTheMissingSheetsAndWritesTheirList)
{
    const struct {
        const char* scale;
        qsizetype missing;
    } rows[] = {{"auto", 47}, {"25000", 1178}};
    for (const auto& row : rows) {
        QTemporaryDir root;
        const QString list = root.filePath("missing.txt");
        const ProcessRun run = RunBatchProcess({"--maps", TESSARINE_DEMO "/maps", "--index", TESSARINE_DEMO "/index.map",
                                                 "--stop-after", "analyze", "--coverage", row.scale, "--missing-list", list});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QStringList lines = run.out.split('\n');
        const qsizetype first = lines.indexOf(QStringLiteral("%1 sheets missing").arg(row.missing)) + 1;
        ASSERT_GT(first, 0) << row.scale;
        const qsizetype named = std::min<qsizetype>(row.missing, 500);
        const QStringList shown = lines.mid(first, named);
        const QStringList all = QString::fromUtf8(testfiles::Read(list)).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(all.size(), row.missing) << row.scale;
        for (qsizetype k = 0; k < named; ++k)
            EXPECT_EQ(shown.value(k), "..." + all.value(k)) << row.scale;
        EXPECT_EQ(lines.value(first + named),
                  row.missing > 500 ? QStringLiteral("...and %1 more").arg(row.missing - 500) : QString())
            << row.scale;
    }
}

// --make-index, --export and --web reach their operations, with the exit
// statuses a script can tell apart (tests/data/batch/index-tools.txt).
TEST(BatchIndexTools, MakesAnIndexMapAndExportsTheSheetsOnIt)
{
    QTemporaryDir dir;
    const QString maps = TESSARINE_DEMO "/maps";
    QDir(dir.path()).mkdir("other.map");
    testfiles::Write(dir.filePath("other.jpg"), "old");
    for (const QStringList& row : testfiles::Rows("batch/index-tools.txt"))
        EXPECT_EQ(RunBatchProcess(QString(row[0]).replace("{maps}", maps).replace("{dir}", dir.path()).split(' ')).exitCode,
                  row[1].toInt()) << row[0].toStdString();
    EXPECT_EQ(testfiles::Read(dir.filePath("other.jpg")), "old");
    EXPECT_EQ(testfiles::Read(dir.filePath("sheets.kml")).count("<Placemark>"), 18);
    // The web index from the picture the steps left, linked relative to the maps folder.
    EXPECT_TRUE(testfiles::Read(dir.filePath("web/index.html")).contains("<a href=\"" + QDir(dir.filePath("web")).relativeFilePath(maps).toUtf8() + "/L-36-080.jpg\""));
    EXPECT_EQ(QImage(dir.filePath("web/made.jpg")).size(), QImage(dir.filePath("made.jpg")).size());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("w2")));
}

}  // namespace
