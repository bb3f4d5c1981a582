#include "ErrorText.h"
#include "QtPrint.h"
#include "workflow/CustomListEdits.h"

#include <gtest/gtest.h>

namespace {

TEST(CustomListEdits, RemoveExtensionCutsAtTheLastFullStopOfTheName)
{
    const QStringList lines{"N-37-001.map", "archive.tar.gz", "dir.x\\name", "disk.x:name", "ends.", ".jpg", "none"};
    EXPECT_EQ(RemoveExtensions(lines, lines.size()),
              (QStringList{"N-37-001", "archive.tar", "dir.x\\name", "disk.x:name", "ends", "", "none"}));
}

TEST(CustomListEdits, TrimsDropOneCharacterOfTheSheetsLinesOnly)
{
    EXPECT_EQ(CutFirstCharacters({"abc", "", "x", "keep"}, 3), (QStringList{"bc", "", "", "keep"}));
    EXPECT_EQ(CutLastCharacters({"abc", "", " x ", "keep"}, 3), (QStringList{"ab", "", " x", "keep"}));
    const QString map = QString::fromUtf8("\xF0\x9F\x97\xBA");  // one character, two UTF-16 units
    EXPECT_EQ(CutFirstCharacters({map + "a"}, 1), QStringList{"a"});
    EXPECT_EQ(ErrorText([] { CutFirstCharacters({"abc", "def"}, 3); }), "List index out of bounds (2)");
}

TEST(CustomListEdits, RemoveIdenticKeepsThePositionsWhereTheLinesDiffer)
{
    const std::pair<QStringList, QStringList> cases[] = {
        {{"N-37-001", "N-37-002", "N-37-003"}, {"1", "2", "3"}},
        {{"N-37-001", "N-37-012", "N-37-123"}, {"001", "012", "123"}},
        {{"single"}, {""}},
        {{"ab", "aB", "abXYZ"}, {"b", "B", "b"}},
        {{"N-37-001", "N-37", "N-37-003"}, {"-001", "", "-003"}},
    };
    for (const auto& [lines, expected] : cases)
        EXPECT_EQ(RemoveIdenticPositions(lines), expected) << lines.join('|').toStdString();
}

TEST(CustomListEdits, GenerateTakesEverySheetAndSameLengthEnablesRemoveIdentic)
{
    MapData data;
    data.Maps.resize(2);
    data.Maps[0].MapName = "First";
    data.Maps[1].MapName = " Second ";
    data.Maps[1].ImageFile = "b.jpg";
    EXPECT_EQ(GenerateList(data, ListField::MapName), (QStringList{"First", " Second "}));
    EXPECT_EQ(GenerateList(data, ListField::ImageFile), (QStringList{"", "b.jpg"}));
    EXPECT_TRUE(AllLinesSameLength({}));
    EXPECT_TRUE(AllLinesSameLength({"abc", "def"}));
    EXPECT_FALSE(AllLinesSameLength({"abc", "de"}));
}

}  // namespace
