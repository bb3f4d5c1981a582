#include "QtPrint.h"
#include "ErrorText.h"
#include "workflow/CustomListEdits.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(CustomListEdits, RemoveExtensionCutsAtTheLastFullStopOfTheName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"N-37-001.map", "N-37-001"}, {"archive.tar.gz", "archive.tar"}, {"a.b.c", "a.b"},
        {"dir.x\\name", "dir.x\\name"}, {"c:name", "c:name"},           {"disk.x:name", "disk.x:name"},
        {"ends.", "ends"},             {".jpg", ""},                     {"", ""},
        {"no extension", "no extension"},
    };
    for (auto [line, expected] : cases)
        EXPECT_EQ(RemoveExtension(QString::fromUtf8(line)), QString::fromUtf8(expected)) << line;
}

TEST(CustomListEdits, TrimsDropOneWholeCharacterAndKeepEmptyLines)
{
    EXPECT_EQ(CutFirstCharacters({"abc", "", "x"}, 3), (QStringList{"bc", "", ""}));
    EXPECT_EQ(CutLastCharacters({"abc", "", " x "}, 3), (QStringList{"ab", "", " x"}));
    // Characters outside the basic plane are never split.
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
    EXPECT_EQ(ErrorText([] { CutFirstCharacters({"abc", "def"}, 3); }), "List index out of bounds (2)");
    EXPECT_THROW(RemoveExtensions({}, 1), TessError);
    EXPECT_THROW(CutLastCharacters({}, 1), TessError);
}

TEST(CustomListEdits, AllLinesSameLength)
{
    for (const QStringList& same : {QStringList{}, QStringList{"abc"}, QStringList{"abc", "def", "ghi"}})
        EXPECT_TRUE(AllLinesSameLength(same)) << same.join('|').toStdString();
    for (const QStringList& differ : {QStringList{"abc", "def", "gh"}, QStringList{"", "a"}})
        EXPECT_FALSE(AllLinesSameLength(differ)) << differ.join('|').toStdString();
}

TEST(CustomListEdits, RemoveIdenticKeepsThePositionsWhereTheLinesDiffer)
{
    const std::pair<QStringList, QStringList> cases[] = {
        {{"N-37-001", "N-37-002", "N-37-003"}, {"1", "2", "3"}},
        {{"N-37-001", "N-37-012", "N-37-123"}, {"001", "012", "123"}},
        {{"single"}, {""}},
        {{}, {}},
        // Case matters, and characters past the first line's length are never kept.
        {{"ab", "aB", "abXYZ"}, {"b", "B", "b"}},
        // A short line differs where it has no character and gives nothing there.
        {{"N-37-001", "N-37", "N-37-003"}, {"-001", "", "-003"}},
        {{"abc", ""}, {"abc", ""}},
    };
    for (const auto& [lines, expected] : cases)
        EXPECT_EQ(RemoveIdenticPositions(lines), expected) << lines.join('|').toStdString();
}

TEST(CustomListEdits, GenerateTakesEverySheetInOrder)
{
    MapData data;
    data.Maps.resize(2);
    for (auto [i, name, file] : {std::tuple{std::size_t{0}, "First", "a"}, std::tuple{std::size_t{1}, " Second ", "b"}}) {
        data.Maps[i].MapName = name;
        data.Maps[i].FileName = QString(file) + ".map";
        data.Maps[i].ImageFile = QString(file) + ".jpg";
    }
    data.Maps[1].IsOk = false;
    EXPECT_EQ(GenerateList(data, ListField::MapName), (QStringList{"First", " Second "}));
    EXPECT_EQ(GenerateList(data, ListField::FileName), (QStringList{"a.map", "b.map"}));
    EXPECT_EQ(GenerateList(data, ListField::ImageFile), (QStringList{"a.jpg", "b.jpg"}));
}

}  // namespace
