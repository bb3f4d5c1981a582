#include "QtPrint.h"
#include "geometry/Nomenclature.h"

#include <gtest/gtest.h>

namespace {

struct Vector {
    const char* name;
    int scale;
    double south, north, west, east;
};

// The printed names and their rectangles; each name is its own printed form.
const Vector kVectors[] = {
    {"N-37", 1000000, 52, 56, 36, 42},
    {"R-33,34", 1000000, 68, 72, 12, 24},
    {"T-33,34,35,36", 1000000, 76, 80, 12, 36},
    {"ST-33,34,35,36", 1000000, -80, -76, 12, 36},
    {"A-1-Б", 500000, 2, 4, -177, -174},
    {"P-37-А,Б", 500000, 62, 64, 36, 42},
    {"T-37-А,Б,T-38-А,Б", 500000, 78, 80, 36, 48},
    {"O-37-I", 200000, 59.33333, 60, 36, 37},
    {"P-35-XXXV,XXXVI", 200000, 60, 60.66667, 28, 30},
    {"T-45-IV,V,VI", 200000, 79.33333, 80, 87, 90},
    {"O-37-025", 100000, 59, 59.33333, 36, 36.5},
    {"SK-18-001", 100000, -40.33333, -40, -78, -77.5},
    {"T-37-025,026,027,028", 100000, 79, 79.33333, 36, 38},
    {"A-1-025-В", 50000, 3, 3.16667, -180, -179.75},
    {"T-37-001-А,Б,T-37-002-А,Б", 50000, 79.83333, 80, 36, 37},
    {"L-36-068-А-а", 25000, 46.25, 46.33333, 33.5, 33.625},
    {"T-37-001-А-а,б,T-37-001-Б-а,б", 25000, 79.91667, 80, 36, 36.5},
    {"L-36-068-А-а-1", 10000, 46.29167, 46.33333, 33.5, 33.5625},
    {"T-37-001-А-а-1,2,T-37-001-А-б-1,2", 10000, 79.95833, 80, 36, 36.25},
};

class NomenclatureVectorTest : public testing::TestWithParam<Vector> {};

TEST_P(NomenclatureVectorTest, NameGivesItsScaleAndRectangle)
{
    const Vector& v = GetParam();
    const SheetNameReading reading = ReadSheetName(QString::fromUtf8(v.name));
    ASSERT_TRUE(reading.cell) << reading.error.toStdString();
    const SheetCell& cell = *reading.cell;
    EXPECT_EQ(cell.name, QString::fromUtf8(v.name));
    EXPECT_EQ(cell.scale, v.scale);
    EXPECT_NEAR(cell.south, v.south, 1e-4);
    EXPECT_NEAR(cell.north, v.north, 1e-4);
    EXPECT_NEAR(cell.west, v.west, 1e-4);
    EXPECT_NEAR(cell.east, v.east, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Vectors, NomenclatureVectorTest, testing::ValuesIn(kVectors));

// Every cell of a scale at points in every latitude band of both
// hemispheres: the cell's name reads back as the same cell, its corners are
// recognised as it, and the box of the cell holds exactly it.
class NomenclatureRoundTripTest : public testing::TestWithParam<int> {};

TEST_P(NomenclatureRoundTripTest, PointToNameToRectangleToName)
{
    const int scale = GetParam();
    for (double lat : {0.01, 23.7, 59.99, 60.01, 70.3, 76.01, 87.9, -0.01, -41.2, -60.01, -75.9, -76.2, -87.99}) {
        for (double lon : {-179.99, -73.3, 0.01, 33.71, 179.99}) {
            const auto cell = CellAt(scale, lat, lon);
            ASSERT_TRUE(cell) << lat << " " << lon;
            EXPECT_EQ(cell->scale, scale);
            EXPECT_TRUE(cell->south <= lat && lat < cell->north && cell->west <= lon && lon < cell->east)
                << cell->name.toStdString();
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

INSTANTIATE_TEST_SUITE_P(EveryScale, NomenclatureRoundTripTest, testing::ValuesIn(SheetScales()));

// What a user types, and the printed name it reads as or the end of the
// message that refuses it.
TEST(NomenclatureTest, ReadsTypedNamesOrSaysWhichPartIsWrong)
{
    const std::pair<const char*, const char*> kCases[] = {
        {"l36", "L-36"},
        {"xK-18-1", "SK-18-001"},
        {"L-036-0068-B-v-4", "L-36-068-Б-в-4"},
        {"L-36-В", "L-36-В"},
        {"t37-a,b,t38-a,b", "T-37-А,Б,T-38-А,Б"},
        {"", "\"\" is no sheet name: it is empty"},
        {"W-36", "the row \"W\" is not a letter A to V"},
        {"L-61", "the column \"61\" is not a number from 1 to 60"},
        {"L-36-145", "the sheet number \"145\" is not from 1 to 144"},
        {"L-36-XXXVII", "is neither a letter А to Г, a Roman numeral I to XXXVI nor a sheet number 1 to 144"},
        {"L-36-068-Д", "\"Д\" is not a letter А to Г"},
        {"L-36-068-А-а-5", "\"5\" is not a digit 1 to 4"},
        {"L-36-Б-а", "nothing can follow \"Б\""},
        {"L-35,36", "sheets are joined only north of 60° and south of 60° S"},
        {"P-36", "the sheet is published joined as \"P-35,36\""},
        {"T-45-I,II", "the sheet is published joined as \"T-45-I,II,III\""},
    };
    for (const auto& [typed, expected] : kCases) {
        const SheetNameReading reading = ReadSheetName(QString::fromUtf8(typed));
        const QString got = reading.cell ? reading.cell->name : reading.error;
        EXPECT_TRUE(reading.cell ? got == QString::fromUtf8(expected) : got.endsWith(QString::fromUtf8(expected)))
            << typed << ": " << got.toStdString();
    }
}

TEST(NomenclatureTest, RecognisesOutlinesWithinATenthOfTheSide)
{
    // L-36-068: 46..46.3333 N, 33.5..34 E; a tenth of its side is 1/30° and 0.05°.
    struct Case {
        double south, north, west, east;
        const char* expected;  // nullptr: no cell
    };
    const Case kCases[] = {
        {46.0, 46.33333, 33.5, 34.0, "L-36-068"},
        {46.03, 46.36, 33.46, 34.04, "L-36-068"},     // every edge 9% off
        {46.04, 46.33333, 33.5, 34.0, nullptr},       // south 12% off
        {46.0, 46.6667, 33.5, 34.5, nullptr},         // four sheets
        {44.0, 48.0, 30.0, 36.0, "L-36"},
        {60.0, 64.0, 24.0, 30.0, nullptr},            // one member of the joined P-35,36
        {88.5, 89.0, 0.0, 6.0, nullptr},              // beyond the rows
    };
    for (const Case& c : kCases) {
        const auto cell = RecogniseSheet({{c.north, c.west}, {c.north, c.east}, {c.south, c.east}, {c.south, c.west}});
        if (c.expected) {
            ASSERT_TRUE(cell) << c.expected;
            EXPECT_EQ(cell->name, QString::fromUtf8(c.expected));
        } else {
            EXPECT_FALSE(cell) << c.south << " " << c.west << " " << (cell ? cell->name.toStdString() : "");
        }
    }
    EXPECT_FALSE(RecogniseSheet({}));
}

TEST(NomenclatureTest, CellsInsideListsNorthToSouthThenWestToEastEdgesIncluded)
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
