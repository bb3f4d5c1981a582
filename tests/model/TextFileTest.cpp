#include "QtPrint.h"
#include "ErrorText.h"
#include "model/TextDecoding.h"
#include "model/TextFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(BytesToLines, SplitsAtEveryKindOfLineEnd)
{
    struct {
        QByteArray bytes;
        QStringList lines;
    } const cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n\n", {"", ""}},
        {"\r\r\n", {"", ""}},
        {" keep  \r\n", {" keep  "}},
        {QByteArray("a\nb\0c\nd", 7), {"a", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BytesToLines(c.bytes), c.lines) << c.bytes.toStdString();
}

TEST(DecodeMapText, TellsTheCodePageFromTheWords)
{
    // "Сычево" in windows-1251, "Montréal" in windows-1252, and UTF-8 with a BOM.
    EXPECT_EQ(DecodeMapText("N-37 \xD1\xFB\xF7\xE5\xE2\xEE \xE3."), QString::fromUtf8("N-37 Сычево г."));
    EXPECT_EQ(DecodeMapText("Carte de Montr\xE9" "al"), QString::fromUtf8("Carte de Montréal"));
    EXPECT_EQ(DecodeMapText("\xEF\xBB\xBF\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"), QString::fromUtf8("Москва"));
    EXPECT_EQ(DecodeMapText("\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"), QString::fromUtf8("Москва"));
    EXPECT_EQ(GuessLegacyCodePage("\xC0\xE1\xE2 d\xE9j\xE0 vu"), LegacyCodePage::Windows1252);
}

TEST(ReadTextLines, ReportsTheSystemsReason)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("none.map");
    EXPECT_EQ(ErrorText([&] { ReadTextLines(missing); }),
              QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing));
    EXPECT_EQ(ErrorText([&] { ReadTextLines(dir.path()); }),
              QStringLiteral("Cannot open file \"%1\". Is a directory").arg(dir.path()));
}

}  // namespace
