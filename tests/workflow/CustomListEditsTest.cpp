#include "QtPrint.h"
#include "model/Errors.h"
#include "workflow/CustomListEdits.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char* line;
    const char* expected;
};

class RemoveExtensionCases : public ::testing::TestWithParam<LineCase> {};

TEST_P(RemoveExtensionCases, CutsAtTheLastFullStopOfTheName)
{
    EXPECT_EQ(RemoveExtension(QString::fromUtf8(GetParam().line)), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Lines, RemoveExtensionCases,
                         ::testing::Values(LineCase{"N-37-001.map", "N-37-001"}, LineCase{"archive.tar.gz", "archive.tar"},
                                           LineCase{"a.b.c", "a.b"}, LineCase{"dir.x\\name", "dir.x\\name"},
                                           LineCase{"c:name", "c:name"}, LineCase{"disk.x:name", "disk.x:name"},
                                           LineCase{"ends.", "ends"}, LineCase{".jpg", ""}, LineCase{"", ""},
                                           LineCase{"no extension", "no extension"}));

TEST(CustomListEdits, TrimLeftDropsOneCharacterAndKeepsEmptyLines)
{
    EXPECT_EQ(CutFirstCharacters({"abc", "", "x"}, 3), (QStringList{"bc", "", ""}));
}

TEST(CustomListEdits, TrimRightDropsTheLastCharacter)
{
    EXPECT_EQ(CutLastCharacters({"abc", "", " x "}, 3), (QStringList{"ab", "", " x"}));
}

TEST(CustomListEdits, TrimsNeverSplitACharacterOutsideTheBasicPlane)
{
    const QString face = QString::fromUtf8("\xF0\x9F\x97\xBA");  // one character, two UTF-16 units
    EXPECT_EQ(CutFirstCharacter(face + "a"), QString("a"));
    EXPECT_EQ(CutLastCharacter("a" + face), QString("a"));
}

TEST(CustomListEdits, EditsOnlyTheLinesOfTheSheets)
{
    const QStringList lines{"a.map", "b.map", "c.map", "d.map", "e.map"};
    EXPECT_EQ(RemoveExtensions(lines, 3), (QStringList{"a", "b", "c", "d.map", "e.map"}));
}

TEST(CustomListEdits, FewerLinesThanSheetsFailsAtTheFirstMissingLine)
{
    const QStringList lines{"abc", "def"};
    try {
        CutFirstCharacters(lines, 3);
        FAIL() << "no error";
    } catch (const TessError& e) {
        EXPECT_EQ(e.text(), QString("List index out of bounds (2)"));
    }
    EXPECT_THROW(RemoveExtensions({}, 1), TessError);
    EXPECT_THROW(CutLastCharacters({}, 1), TessError);
}

TEST(CustomListEdits, AllLinesSameLength)
{
    EXPECT_TRUE(AllLinesSameLength({}));
    EXPECT_TRUE(AllLinesSameLength({"abc"}));
    EXPECT_TRUE(AllLinesSameLength({"abc", "def", "ghi"}));
    EXPECT_FALSE(AllLinesSameLength({"abc", "def", "gh"}));
    EXPECT_FALSE(AllLinesSameLength({"", "a"}));
}

struct IdenticCase {
    QStringList lines;
    QStringList expected;
};

class RemoveIdenticCases : public ::testing::TestWithParam<IdenticCase> {};

TEST_P(RemoveIdenticCases, KeepsThePositionsWhereTheLinesDiffer)
{
    EXPECT_EQ(RemoveIdenticPositions(GetParam().lines), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RemoveIdenticCases,
    ::testing::Values(IdenticCase{{"N-37-001", "N-37-002", "N-37-003"}, {"1", "2", "3"}},
                      IdenticCase{{"N-37-001", "N-37-012", "N-37-123"}, {"001", "012", "123"}},
                      IdenticCase{{"single"}, {""}}, IdenticCase{{}, {}},
                      // Case matters, and characters past the first line's length are never kept.
                      IdenticCase{{"ab", "aB", "abXYZ"}, {"b", "B", "b"}},
                      // A short line differs where it has no character and gives nothing there.
                      IdenticCase{{"N-37-001", "N-37", "N-37-003"}, {"-001", "", "-003"}},
                      IdenticCase{{"abc", ""}, {"abc", ""}}));

TEST(CustomListEdits, GenerateTakesEverySheetInOrder)
{
    MapData data;
    data.Maps.resize(2);
    data.Maps[0].MapName = "First";
    data.Maps[0].FileName = "a.map";
    data.Maps[0].ImageFile = "a.jpg";
    data.Maps[1].MapName = " Second ";
    data.Maps[1].FileName = "b.map";
    data.Maps[1].ImageFile = "b.jpg";
    data.Maps[1].IsOk = false;
    EXPECT_EQ(GenerateList(data, ListField::MapName), (QStringList{"First", " Second "}));
    EXPECT_EQ(GenerateList(data, ListField::FileName), (QStringList{"a.map", "b.map"}));
    EXPECT_EQ(GenerateList(data, ListField::ImageFile), (QStringList{"a.jpg", "b.jpg"}));
}

}  // namespace
