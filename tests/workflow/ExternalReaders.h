#pragma once

// What GDAL's vector reader makes of the files we write; a test skips when
// the reader (gdal-bin) is not installed.

#include "Process.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <map>
#include <vector>

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
