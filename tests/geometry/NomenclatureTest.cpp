// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "QtPrint.h"
#include "geometry/Nomenclature.h"

#include <gtest/gtest.h>

namespace {

// The rows of tests/data/nomenclature/NAME.txt, each split at " | ";
// comments and blank lines left out.
std::vector<QStringList> Rows(const char* name)
{
    std::vector<QStringList> rows;
    const QString text = QString::fromUtf8(testfiles::Read(TESSARINE_TEST_DATA "/nomenclature/" + QString(name) + ".txt"));
    for (const QString& line : text.split('\n')) {
        if (!line.trimmed().isEmpty() && !line.startsWith('#'))
            rows.push_back(line.split(" | "));
    }
    EXPECT_GT(rows.size(), 5u) << name;
    return rows;
}

std::vector<double> Numbers(const QString& text)
{
    std::vector<double> numbers;
    for (const QString& n : text.split(' ', Qt::SkipEmptyParts))
        numbers.push_back(n.toDouble());
    return numbers;
}

// A sheet as a row of sheets.txt, its rectangle to a ten-thousandth of a degree.
QString Row(const QString& name, const QString& scale, const std::vector<double>& box)
{
    QString text = name + " | " + scale + " |";
    for (const double edge : box)
        text += QStringLiteral(" %1").arg(edge, 0, 'f', 4);
    return text;
}

TEST(Nomenclature, NameGivesItsScaleAndRectangle)
{
    for (const QStringList& row : Rows("sheets")) {
        const SheetNameReading reading = ReadSheetName(row[0]);
        ASSERT_TRUE(reading.cell) << row[0].toStdString() << ": " << reading.error.toStdString();
        const SheetCell& c = *reading.cell;
        EXPECT_EQ(Row(c.name, QString::number(c.scale), {c.south, c.north, c.west, c.east}),
                  Row(row[0], row[1], Numbers(row[2])));
    }
}

TEST(Nomenclature, ReadsTypedNamesOrSaysWhichPartIsWrong)
{
    for (const QStringList& row : Rows("typed")) {
        const SheetNameReading reading = ReadSheetName(row[0]);
        const QString got = reading.cell ? reading.cell->name : reading.error;
        EXPECT_TRUE(reading.cell ? got == row[1] : got.endsWith(row[1])) << row[0].toStdString() << ": " << got.toStdString();
    }
}

TEST(Nomenclature, RecognisesOutlinesWithinATenthOfTheSide)
{
    for (const QStringList& row : Rows("outlines")) {
        const std::vector<double> b = Numbers(row[0]);  // south north west east
        const auto cell = RecogniseSheet({{b[1], b[2]}, {b[1], b[3]}, {b[0], b[3]}, {b[0], b[2]}});
        const QString expected = row[1].section(" #", 0, 0).trimmed();
        EXPECT_EQ(cell ? cell->name : QString("-"), expected) << row[0].toStdString();
    }
    EXPECT_FALSE(RecogniseSheet({}));
}

// Every cell of a scale at points in every latitude band of both
// hemispheres: the cell's name reads back as the same cell, its corners are
// recognised as it, and the box of the cell holds exactly it.
class NomenclatureRoundTrip : public testing::TestWithParam<int> {};

TEST_P(NomenclatureRoundTrip, PointToNameToRectangleToName)
{
    const int scale = GetParam();
    for (double lat : {0.01, 23.7, 59.99, 60.01, 70.3, 76.01, 87.9, -0.01, -41.2, -60.01, -75.9, -76.2, -87.99}) {
        for (double lon : {-179.99, -73.3, 0.01, 33.71, 179.99}) {
            // The cell holding the point is among those inside a box grown round it.
            std::optional<SheetCell> cell;
            for (double d = 1e-3; !cell && d < 8; d *= 2)
                for (const SheetCell& c : CellsInside(scale, lat - d, lat + d, lon - 6 * d, lon + 6 * d))
                    if (c.south <= lat && lat < c.north && c.west <= lon && lon < c.east)
                        cell = c;
            ASSERT_TRUE(cell) << lat << " " << lon;
            EXPECT_EQ(cell->scale, scale);
            const SheetNameReading read = ReadSheetName(cell->name);
            ASSERT_TRUE(read.cell) << read.error.toStdString();
            EXPECT_EQ(read.cell->name, cell->name);
            EXPECT_DOUBLE_EQ(read.cell->south, cell->south) << cell->name.toStdString();
            EXPECT_DOUBLE_EQ(read.cell->west, cell->west) << cell->name.toStdString();
            EXPECT_DOUBLE_EQ(read.cell->east, cell->east) << cell->name.toStdString();
            const auto recognised = RecogniseSheet({{cell->north, cell->west}, {cell->south, cell->east}});
            ASSERT_TRUE(recognised) << cell->name.toStdString();
            EXPECT_EQ(recognised->name, cell->name);
            const auto inside = CellsInside(scale, cell->south, cell->north, cell->west, cell->east);
            ASSERT_EQ(inside.size(), 1u) << cell->name.toStdString();
            EXPECT_EQ(inside.front().name, cell->name);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryScale, NomenclatureRoundTrip, testing::ValuesIn(SheetScales()));

TEST(Nomenclature, CellsInsideListsNorthToSouthThenWestToEastEdgesIncluded)
{
    const auto l36 = CellsInside(100000, 44.0, 48.0, 30.0, 36.0);
    ASSERT_EQ(l36.size(), 144u);
    EXPECT_EQ(l36.front().name, "L-36-001");
    EXPECT_EQ(l36[12].name, "L-36-013");
    EXPECT_EQ(l36.back().name, "L-36-144");

    // Two rows of the joined band and one below, in the window they touch.
    const auto joined = CellsInside(1000000, 56.0, 64.0, 24.0, 36.0);
    std::vector<QString> names;
    for (const SheetCell& c : joined)
        names.push_back(c.name);
    EXPECT_EQ(names, (std::vector<QString>{"P-35,36", "O-35", "O-36"}));

    EXPECT_TRUE(CellsInside(100000, 46.01, 46.3, 33.5, 34.0).empty()) << "a box smaller than a cell";
    EXPECT_TRUE(CellsInside(123456, 44.0, 48.0, 30.0, 36.0).empty()) << "an unknown scale";
    EXPECT_EQ(CellsInside(1000000, -1e300, 1e300, -1e300, 1e300).size(), 2u * (15u * 60u + 4u * 30u + 3u * 15u));
}

}  // namespace
