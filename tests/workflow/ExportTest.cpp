// SPDX-License-Identifier: GPL-3.0-or-later
// The exported sheet index as GDAL reads it.

#include "Process.h"
#include "QtPrint.h"
#include "MapFiles.h"
#include "workflow/panel/Analyze.h"
#include "workflow/export/ExportSheetIndex.h"

#include <QTemporaryDir>

#include <map>
#include <vector>

namespace {

// The rows ogrinfo prints for an SQL query: "  name (Type) = value" lines.
inline std::vector<std::map<QString, QString>> OgrRows(const QString& file, const QString& sql)
{
    const ProcessRun run = RunProgram("ogrinfo", {"--config", "OGR_GEOMETRY_ACCEPT_UNCLOSED_RING", "NO", "-ro", "-q",
                                                "-dialect", "SQLite", "-sql", sql, file});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    std::vector<std::map<QString, QString>> rows;
    for (const QString& line : run.out.split(u'\n')) {
        if (line.startsWith(u"OGRFeature"))
            rows.emplace_back();
        const qsizetype eq = line.indexOf(QStringLiteral(") = "));
        if (!rows.empty() && line.startsWith(u"  ") && eq > 0)
            rows.back()[line.trimmed().section(u' ', 0, 0)] = line.mid(eq + 4);
    }
    return rows;
}

class ExportTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        if (!HasProgram("ogrinfo"))
            GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
        using testfiles::Sheet;
        using testfiles::Write;
        QDir(dir.path()).mkdir("maps");
        Write(dir.filePath("index.map"), testfiles::IndexMap("index.jpg", 1000, 800, 64, 50, 28, 42));
        // Clockwise, as sheets are mostly calibrated; a standard 1:100,000 sheet.
        Write(maps("a.map"), Sheet("O-36-1", "C:\\scans\\o36-1.jpg", {{30, 60}, {30.5, 60}, {30.5, 59.6666667}, {30, 59.6666667}}));
        // Its name in windows-1251; a corner with more than 7 decimals.
        QByteArray cyrillic = Sheet("NAME", "b.jpg", {{33.123456789, 55}, {34, 55}, {34, 56}, {33, 56}});
        Write(maps("b.map"), cyrillic.replace("NAME", "\xCA\xE0\xF0\xF2\xE0"));
        Write(maps("c.map"), Sheet("Bad corner", "c.jpg", {{31, 55}, {32, 55}, {32, 54}, {31, 54}}).replace("MMPLL,2", "MMPLX,2"));
        Write(maps("d.map"), Sheet("Dateline", "d.jpg", {{179.5, 10}, {-179.5, 10}, {-179.5, 9}, {179.5, 9}}));
        Write(maps("e.map"), "OziExplorer Map Data File Version 2.2\r\nNo points\r\ne.jpg\r\n");
        QString folder = dir.filePath("maps");
        ASSERT_EQ(Analyze(ws, folder, dir.filePath("index.map")), StepOutcome::Completed);
        file = dir.filePath(QStringLiteral("sheets.") + GetParam());
        ExportSheetIndex(ws, file, Qt::red);
    }
    QString maps(const char* name) const { return dir.filePath(QStringLiteral("maps/") + name); }

    QTemporaryDir dir;
    MemoryLog log;
    Workspace ws{log, "."};
    QString file;
};

TEST_P(ExportTest, ReadersSeeEveryFeatureValidAndCounterClockwise)
{
    const auto totals = OgrRows(file, "SELECT COUNT(*) AS n, SUM(ST_IsValid(geometry) = 1) AS valid, "
                                      "SUM(ST_IsPolygonCCW(geometry) = 1) AS ccw, SUM(geometry IS NULL) AS none, "
                                      "MIN(ST_MinX(geometry)) >= -180 AND MAX(ST_MaxX(geometry)) <= 180 AND "
                                      "MIN(ST_MinY(geometry)) >= -90 AND MAX(ST_MaxY(geometry)) <= 90 AS within "
                                      "FROM sheets");
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(totals[0], (std::map<QString, QString>{
                             {"n", "6"}, {"valid", "4"}, {"ccw", "4"}, {"none", "2"}, {"within", "1"}}));

    const auto rows = OgrRows(file, "SELECT file, kind, name AS label, image, (usable = 1 OR usable = 'true') AS ok, problem, "
                                    "nomenclature, scale, ST_GeometryType(geometry) AS g FROM sheets");
    const std::vector<QStringList> expected = testfiles::Rows("export/sheets.txt");
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QStringList fields;
        for (const char* key : {"file", "kind", "label", "image", "ok", "problem", "nomenclature", "scale", "g"})
            fields << (rows[i].count(key) ? rows[i].at(key) : QString());
        EXPECT_EQ(fields.mid(0, expected[i].size()), expected[i]);
    }

    const QByteArray text = testfiles::Read(file);
    EXPECT_TRUE(text.contains("33.1234568,") || text.contains("33.1234568]")) << "7 decimals at most";
    EXPECT_FALSE(text.contains("33.12345679"));
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportTest, ::testing::Values("geojson", "kml"));

}  // namespace
