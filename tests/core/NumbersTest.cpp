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
// them. A fresh machine has no such locale compiled, so the test builds one
// of its own, numbers only, with the C library's localedef.
class CommaNumbers {
public:
    CommaNumbers()
    {
        QFile source(dir.filePath("comma.src"));
        if (!source.open(QIODevice::WriteOnly))
            return;
        source.write("LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n");
        source.close();
        // It warns of every category but numbers not being defined.
        QProcess localedef;
        localedef.setProcessChannelMode(QProcess::MergedChannels);
        localedef.start("localedef", {"-c", "-i", source.fileName(), dir.filePath("comma")});
        localedef.waitForFinished();
        ::setenv("LOCPATH", QFile::encodeName(dir.path()).constData(), 1);
        active = std::setlocale(LC_NUMERIC, "comma") != nullptr && std::localeconv()->decimal_point == std::string(",");
    }
    ~CommaNumbers()
    {
        std::setlocale(LC_NUMERIC, "C");
        ::unsetenv("LOCPATH");
    }
    QTemporaryDir dir;
    bool active = false;
};

TEST(Numbers, IntegersAreSignedDecimalsWithin32Bits)
{
    for (auto [text, value] : {std::pair{"+17", 17}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}, {"007", 7}})
        EXPECT_EQ(StrToInt(text), value) << text;
    for (const char* bad : {"", "-", "0.5", "1e3", "2147483648", "$10", "0x10", " 1", "12a"})
        EXPECT_EQ(ErrorText([&] { StrToInt(bad); }), QStringLiteral("'%1' is not a valid integer value").arg(bad));
}

TEST(Numbers, DecimalsTakeTheDotInAnyLocale)
{
    const CommaNumbers comma;
    if (!comma.active)
        GTEST_SKIP() << "no locale with a decimal comma could be made (localedef from libc-bin)";
    for (auto [text, value] : {std::pair{"37.5", 37.5}, {"-0.25", -0.25}, {"+4", 4.0}, {"1E3", 1000.0}, {"1.5e-6", 1.5e-6}, {"1e-400", 0.0}})
        EXPECT_EQ(StrToFloat(text), value) << text;
    for (const char* bad : {"", "37,5", ".5", "5.", "1e", "55N", "inf", "nan", "0x1p3", "1e400", " 1"})
        EXPECT_EQ(ErrorText([&] { StrToFloat(bad); }), QStringLiteral("'%1' is not a valid floating point value").arg(bad));
}

}  // namespace
