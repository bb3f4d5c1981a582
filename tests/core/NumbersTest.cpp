// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorText.h"
#include "MapFiles.h"
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

// The integer rows run in the C locale, the decimal ones in a locale with a decimal comma.
void ReadsAsTheTableSays(const QString& kind)
{
    for (const QStringList& row : testfiles::Rows("numbers.txt")) {
        if (row[0] != kind)
            continue;
        const bool integer = kind == "integer";
        const QString error = ErrorText([&] {
            EXPECT_EQ(integer ? StrToInt(row[1]) : StrToFloat(row[1]), row[2].toDouble()) << row[1].toStdString();
        });
        EXPECT_EQ(error, row[2] != "-" ? QString() : QStringLiteral("'%1' is not a valid %2 value").arg(row[1], integer ? "integer" : "floating point"));
    }
}

TEST(Numbers, IntegersAreSignedDecimalsWithin32Bits) { ReadsAsTheTableSays("integer"); }

TEST(Numbers, DecimalsTakeTheDotInAnyLocale)
{
    const QTemporaryDir dir;
    if (!UseCommaNumbers(dir.path()))
        GTEST_SKIP() << "no locale with a decimal comma could be made (localedef from libc-bin)";
    ReadsAsTheTableSays("decimal");
    std::setlocale(LC_NUMERIC, "C");
    ::unsetenv("LOCPATH");
}

}  // namespace
