#include "QtPrint.h"
#include "ErrorText.h"
#include "model/Numbers.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(StrToInt, ReadsSignedDecimalsWithin32Bits)
{
    for (auto [text, value] : {std::pair{"0", 0}, {"+17", 17}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX},
                               {"007", 7}})
        EXPECT_EQ(StrToInt(QString::fromLatin1(text)), value) << text;
}

TEST(StrToInt, RejectsEverythingElseWithTheRuntimeMessage)
{
    for (const char* bad : {"", "-", "0.5", "1e3", "2147483648", "-2147483649", "$10", "0x10", " 1", "12a",
                            "99999999999999999999"}) {
        EXPECT_EQ(ErrorText([&] { StrToInt(QString::fromLatin1(bad)); }),
                  QStringLiteral("'%1' is not a valid integer value").arg(QLatin1StringView(bad)));
    }
}

TEST(StrToFloat, ReadsTheDotGrammarInAnyLocale)
{
    QLocale::setDefault(QLocale(QLocale::German));
    struct {
        const char* text;
        double value;
    } const cases[] = {{"37.5", 37.5}, {"-0.25", -0.25}, {"+4", 4.0}, {"1E3", 1000.0},
                       {"1.5e-6", 1.5e-6}, {"2e+2", 200.0}, {"1e-400", 0.0}};
    for (const auto& c : cases)
        EXPECT_EQ(StrToFloat(QString::fromLatin1(c.text)), c.value) << c.text;
    QLocale::setDefault(QLocale::c());
}

TEST(StrToFloat, RejectsOtherFormsWithTheRuntimeMessage)
{
    for (const char* bad : {"", "37,5", ".5", "5.", "1e", "1e+", "55N", "inf", "nan", "0x1p3", "1e400", " 1",
                            "1 000"}) {
        EXPECT_EQ(ErrorText([&] { StrToFloat(QString::fromLatin1(bad)); }),
                  QStringLiteral("'%1' is not a valid floating point value").arg(QLatin1StringView(bad)));
    }
}

}  // namespace
