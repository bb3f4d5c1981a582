// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "MapFiles.h"
#include "batch/BatchOptions.h"

#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// What a command line turns into, one row of tests/data/batch/options.txt
// each: the field it sets, or the reason it is refused.

namespace {

QMap<QString, QString> Fields(const BatchOptions& o)
{
    return {{"width", o.lineWidthText},
            {"colour", o.lineColor.name()},
            {"fill", QString::number(o.fill)},
            {"centres", QString::number(o.names.centerMethod)},
            {"source", QString::number(o.names.source)},
            {"opacity", QString::number(o.names.opacityPosition)},
            {"font", QStringLiteral("%1 %2").arg(o.names.fontFamily).arg(o.names.fontPixelSize)},
            {"scale", o.coverage.run ? QString::number(o.coverage.scale) : QStringLiteral("none")},
            {"web", QStringLiteral("%1 %2 %3").arg(o.web.dir, o.web.linkBase).arg(o.web.force)},
            {"catalogue", o.web.catalogue}};
}

TEST(CommandLine, SetsTheFieldOrSaysWhy)
{
    QTemporaryDir dir;
    const QString settings = dir.filePath("tessarine.ini");
    const std::vector<QStringList> rows = testfiles::Rows("batch/options.txt");
    EXPECT_GT(rows.size(), 30u);
    for (const QStringList& row : rows) {
        const std::string line = row.join(" | ").toStdString();
        ASSERT_EQ(row.size(), 3) << line;
        QStringList arguments{"tessarine-batch", "--maps", "m", "--index", "i.map"};
        if (row[0].startsWith("[graphics] ")) {
            testfiles::Write(settings, ("[graphics]\n" + row[0].mid(11)).toUtf8());
            arguments = QStringList{"tessarine-batch", "--opacity", "3"} + arguments.mid(1) +
                        QStringList{"--settings", settings, "--names", "file"};
        } else if (row[0] != "(none)") {
            arguments += QProcess::splitCommand(row[0]);
        }
        const ParsedCommandLine parsed = ParseBatchCommandLine(arguments);
        if (row[1] == "refused") {
            EXPECT_FALSE(parsed.options.has_value()) << line;
            EXPECT_TRUE(parsed.error.startsWith(row[2])) << line << ": " << parsed.error.toStdString();
        } else {
            ASSERT_TRUE(parsed.options.has_value()) << line << ": " << parsed.error.toStdString();
            EXPECT_EQ(Fields(*parsed.options).value(row[1]), row[2]) << line;
        }
    }
}

}  // namespace
