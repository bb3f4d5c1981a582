#include "QtPrint.h"
#include "workflow/LineColors.h"

#include <gtest/gtest.h>

namespace {

TEST(LineColorsTest, NamesAreFoundInAnyLetterCase)
{
    struct Case {
        const char* name;
        QRgb rgb;
    };
    for (const Case& c : {Case{"Silver", 0xC0C0C0}, Case{"red", 0xFF0000}, Case{"MONEY GREEN", 0xC0DCC0},
                          Case{"Med Gray", 0xA0A0A4}, Case{"cream", 0xFFFBF0}, Case{"Black", 0x000000}}) {
        const auto color = LineColorByName(c.name);
        ASSERT_TRUE(color.has_value()) << c.name;
        EXPECT_EQ(color->rgb(), qRgb(qRed(c.rgb), qGreen(c.rgb), qBlue(c.rgb))) << c.name;
    }
    for (const char* unknown : {"Custom...", "", "MoneyGreen", "Silver ", "grey"})
        EXPECT_FALSE(LineColorByName(unknown).has_value()) << unknown;
}

}  // namespace
