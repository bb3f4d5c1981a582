// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "formats/ozi/MapReader.h"
#include "formats/ozi/TextFile.h"

#include <QDirIterator>
#include <gtest/gtest.h>

namespace {

TEST(SplitMapLine, CutsAtEveryCommaAndHonoursQuotes)
{
    EXPECT_EQ(SplitMapLine(""), QStringList());
    EXPECT_EQ(SplitMapLine("a,"), QStringList({"a", ""}));
    for (const QStringList& row : testfiles::Rows("formats/split-map-line.txt"))
        EXPECT_EQ(SplitMapLine(row[0]), row.mid(1)) << row[0].toStdString();
}

TEST(FileNamePart, CutsAfterAnySeparator)
{
    for (const char* path : {"C:\\maps\\sheet1.jpg", "sheet1.jpg", "D:sheet1.jpg", "maps/sheet1.jpg"})
        EXPECT_EQ(FileNamePart(path), "sheet1.jpg") << path;
}

// Every real calibration file is read, or refused with the runtime's error;
// the windows-1251 one gives its Cyrillic names.
TEST(RealMaps, EveryFileReadsOrFailsCleanly)
{
    if (!QDir(TESSARINE_REAL_MAPS).exists())
        GTEST_SKIP() << "no real-maps folder";
    int files = 0;
    for (QDirIterator it(TESSARINE_REAL_MAPS, {"*.map"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++files) {
        const QString path = it.next();
        const QStringList lines = ReadTextLines(path);
        ASSERT_GE(lines.size(), 3) << path.toStdString();
        const SheetMmpnum mmpnum = FindSheetMmpnum(lines);
        for (int32_t k = 1; k <= mmpnum.count; ++k) {
            TGeoPoint p;
            const QString error = ErrorText([&] { ReadMMPLL(lines, mmpnum.line + mmpnum.count + k, k, p); });
            EXPECT_TRUE(error.isEmpty() || error.contains("is not a valid") || error.startsWith("List index"))
                << path.toStdString() << ": " << error.toStdString();
        }
        if (path.endsWith("mapsoft2/ozi3.map")) {
            EXPECT_EQ(lines[1], QString::fromUtf8("N-37-001-А Сычево 19xx г."));
            EXPECT_EQ(FileNamePart(lines[2]), QString::fromUtf8("N-37-001-A_19xx_19xx_Сычево.jpg"));
        }
    }
    EXPECT_GT(files, 10);
}

}  // namespace
