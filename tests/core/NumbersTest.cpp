// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "QtPrint.h"
#include "core/Numbers.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(Numbers, IntegersAreSignedDecimalsWithin32Bits)
{
    for (auto [text, value] : {std::pair{"+17", 17}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"007", 7}})
        EXPECT_EQ(StrToInt(text), value) << text;
    for (const char* bad : {"", "-", "0.5", "1e3", "2147483648", "$10", "0x10", " 1", "12a"})
        EXPECT_EQ(ErrorText([&] { StrToInt(bad); }), QStringLiteral("'%1' is not a valid integer value").arg(bad));
}

TEST(Numbers, DecimalsTakeTheDotInAnyLocale)
{
    QLocale::setDefault(QLocale(QLocale::German));
    for (auto [text, value] : {std::pair{"37.5", 37.5}, {"-0.25", -0.25}, {"+4", 4.0}, {"1E3", 1000.0}, {"1.5e-6", 1.5e-6}, {"1e-400", 0.0}})
        EXPECT_EQ(StrToFloat(text), value) << text;
    for (const char* bad : {"", "37,5", ".5", "5.", "1e", "55N", "inf", "nan", "0x1p3", "1e400", " 1"})
        EXPECT_EQ(ErrorText([&] { StrToFloat(bad); }), QStringLiteral("'%1' is not a valid floating point value").arg(bad));
    QLocale::setDefault(QLocale::c());
}

}  // namespace
