// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/CoverageOptions.h"

#include "geometry/Nomenclature.h"

namespace {

const QCommandLineOption kCoverage(QStringLiteral("coverage"), QString(), QStringLiteral("SCALE"));
const QCommandLineOption kDrawMissing(QStringLiteral("draw-missing"));
const QCommandLineOption kMissingList(QStringLiteral("missing-list"), QString(), QStringLiteral("FILE"));

}  // namespace

void AddCoverageOptions(QCommandLineParser& parser) { parser.addOptions({kCoverage, kDrawMissing, kMissingList}); }

QString CoverageUsage()
{
    return QStringLiteral(
        "  --coverage SCALE   after Analyze, report which standard sheets of SCALE inside\n"
        "                     the index map the usable sheets hold, lack and hold twice:\n"
        "                     auto (the scale most sheets are), 100000, 1:100000 or\n"
        "                     \"1:100 000\", from 1:1 000 000 to 1:10 000; the report\n"
        "                     never changes the exit status\n"
        "  --draw-missing     after Draw borders, draw the missing sheets dashed, with\n"
        "                     their names (needs --coverage)\n"
        "  --missing-list FILE\n"
        "                     write the missing sheets' names to FILE, one a line,\n"
        "                     UTF-8 (needs --coverage)\n");
}

std::optional<int> ParseScale(const QString& text)
{
    if (text.compare(u"auto", Qt::CaseInsensitive) == 0)
        return 0;
    QString digits = text;
    if (digits.startsWith(u"1:"))
        digits.remove(0, 2);
    digits.remove(u' ');
    bool ok = false;
    const int scale = digits.toInt(&ok);
    if (!ok || digits.startsWith(u'+') || !IsSheetScale(scale))
        return std::nullopt;
    return scale;
}

std::optional<QString> ReadCoverageOptions(const QCommandLineParser& parser, CoverageBatchOptions& options)
{
    options.run = parser.isSet(kCoverage);
    options.drawMissing = parser.isSet(kDrawMissing);
    options.missingListFile = parser.value(kMissingList);
    if (!options.run) {
        if (options.drawMissing || parser.isSet(kMissingList))
            return QStringLiteral("--draw-missing and --missing-list need --coverage.");
        return std::nullopt;
    }
    const auto scale = ParseScale(parser.value(kCoverage));
    if (!scale)
        return QStringLiteral("Unknown scale: %1").arg(parser.value(kCoverage));
    options.scale = *scale;
    if (parser.isSet(kMissingList) && options.missingListFile.isEmpty())
        return QStringLiteral("--missing-list needs a file name.");
    return std::nullopt;
}
