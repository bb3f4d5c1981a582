#pragma once

// Runs the readers of other tools (gdal-bin, libxml2-utils, Python) on the
// files we write; a test skips when its reader is not installed.

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <gtest/gtest.h>

#include <map>
#include <vector>

struct ReaderRun {
    int exitCode = -1;
    QString out;
};

inline bool HasReader(const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

inline ReaderRun RunReader(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

// The rows ogrinfo prints for an SQL query: "  name (Type) = value" lines.
inline std::vector<std::map<QString, QString>> OgrRows(const QString& file, const QString& sql)
{
    const ReaderRun run = RunReader("ogrinfo", {"--config", "OGR_GEOMETRY_ACCEPT_UNCLOSED_RING", "NO", "-ro", "-q",
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
