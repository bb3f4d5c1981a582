// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "QtPrint.h"
#include "core/Numbers.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

// The C library's numbers with a decimal comma, as a German desktop sets
// them. A fresh machine has no such locale compiled, so the test makes one
// of its own, numbers only, with the C library's localedef.
bool UseCommaNumbers(const QString& dir)
{
    QFile source(dir + "/comma.src");
    if (!source.open(QIODevice::WriteOnly) || source.write("LC_NUMERIC\ndecimal_point \",\"\nEND LC_NUMERIC\n") < 0)
        return false;
    source.close();
    QProcess localedef;  // its warnings (no other category defined) are not shown
    localedef.start("localedef", {"-c", "-i", source.fileName(), dir + "/comma"});
    localedef.waitForFinished();
    ::setenv("LOCPATH", QFile::encodeName(dir).constData(), 1);
    return std::setlocale(LC_NUMERIC, "comma") != nullptr && std::localeconv()->decimal_point == std::string(",");
}

TEST(Numbers, IntegersAreSignedDecimalsWithin32Bits)
{
    for (auto [text, value] : {std::pair{"+17", 17}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"007", 7}})
        EXPECT_EQ(StrToInt(text), value) << text;
    for (const char* bad : {"", "-", "0.5", "1e3", "2147483648", "$10", "0x10", " 1", "12a"})
        EXPECT_EQ(ErrorText([&] { StrToInt(bad); }), QStringLiteral("'%1' is not a valid integer value").arg(bad));
}

TEST(Numbers, DecimalsTakeTheDotInAnyLocale)
{
    const QTemporaryDir dir;
    if (!UseCommaNumbers(dir.path()))
        GTEST_SKIP() << "no locale with a decimal comma could be made (localedef from libc-bin)";
    for (auto [text, value] : {std::pair{"37.5", 37.5}, {"-0.25", -0.25}, {"+4", 4.0}, {"1E3", 1000.0}, {"1.5e-6", 1.5e-6}, {"1e-400", 0.0}})
        EXPECT_EQ(StrToFloat(text), value) << text;
    for (const char* bad : {"", "37,5", ".5", "5.", "1e", "55N", "inf", "nan", "0x1p3", "1e400", " 1"})
        EXPECT_EQ(ErrorText([&] { StrToFloat(bad); }), QStringLiteral("'%1' is not a valid floating point value").arg(bad));
    std::setlocale(LC_NUMERIC, "C");
    ::unsetenv("LOCPATH");
}

}  // namespace
