#include "QtPrint.h"
#include "workflow/NumberFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatGeneral, WritesTheShortestFormWithAtMost15Digits)
{
    struct {
        double value;
        const char* dot;
        const char* comma;
    } const cases[] = {
        {37, "37", "37"},
        {55.75, "55.75", "55,75"},
        {-0.5, "-0.5", "-0,5"},
        {0.0001, "0.0001", "0,0001"},
        {0.00005, "5E-5", "5E-5"},
        {1.5e-6, "1.5E-6", "1,5E-6"},
        {0.1 + 0.2, "0.3", "0,3"},
        {1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
        {123456789012345.0, "123456789012345", "123456789012345"},
        {1e15, "1E15", "1E15"},
        {-2.5e20, "-2.5E20", "-2,5E20"},
        {-0.0, "0", "0"},
        {0.0, "0", "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral(c.value, "."), QString::fromLatin1(c.dot)) << c.dot;
        EXPECT_EQ(FormatGeneral(c.value, ","), QString::fromLatin1(c.comma)) << c.comma;
    }
}

}  // namespace
