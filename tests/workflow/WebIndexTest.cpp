// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "Process.h"
#include "QtPrint.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/CalcPoints.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/panel/SaveAs.h"
#include "workflow/web/PublishWeb.h"
#include "workflow/web/SheetHits.h"
#include "workflow/web/SheetLinks.h"
#include "workflow/web/WebPage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(WebIndexTest, LinksLeadFromThePageToTheSheetsEncoded)
{
    for (const QStringList& c : testfiles::Rows("web/sheet-links.txt"))
        EXPECT_EQ(SheetLink(c[0], c[1], c[2] == "-" ? QString() : c[2], c[3]), c[4]) << c[3].toStdString();
}

TEST(WebIndexTest, TextFromSheetsNeverBecomesMarkup)
{
    const QString name = QStringLiteral("<b>Tom & \"Jerry\"</b> 'Карта'");
    WebPageContent page{name, "a b.jpg", 200, 100, {}, {{"<i>M-1</i>", {{0, 0}, {9, 0}, {9, 9}}}}};
    page.sheets.push_back({name, "<a>.map", "", 0, true, "", "x.jpg?a=1&b=\"2\"", {{1, 2}, {30, 2}, {30, 40}}});
    page.sheets.push_back({"bad", "bad.map", "", 0, false, "<script>x", "", {}});
    const QString html = QString::fromUtf8(WriteWebPage(page));
    const QString escaped = "&lt;b&gt;Tom &amp; &quot;Jerry&quot;&lt;/b&gt; &#39;Карта&#39;";
    EXPECT_EQ(html.count(escaped), 5) << "page title, heading, link title, table name and link";
    for (const char* raw : {"<b>", "<i>", "<a>", "<script>x", "&b=\""})
        EXPECT_FALSE(html.contains(raw)) << raw;
    EXPECT_TRUE(html.contains("<a href=\"x.jpg?a=1&amp;b=&quot;2&quot;\"><title>"));
    EXPECT_TRUE(html.contains("<title>&lt;i&gt;M-1&lt;/i&gt;</title>"));
    EXPECT_EQ(html.count("<a href"), 2) << "one link on the picture, one in the table";
}

TEST(WebIndexTest, SaveAsChangesLineTwoAloneKeepingItsLineEnd)
{
    const auto bytes = [](QString text) { return text.replace("\\r", "\r").replace("\\n", "\n").toUtf8(); };
    for (const QStringList& row : testfiles::Rows("web/image-line.txt"))
        EXPECT_EQ(WithImageLine(bytes(row[0]), "new.jpg"), bytes(row[1])) << row[0].toStdString();
    EXPECT_EQ(WithImageLine("H\nT \xCA\xE0\xF0\xF2\xE0\nold.jpg", "Лист.jpg"), "H\nT \xCA\xE0\xF0\xF2\xE0\n\xCB\xE8\xF1\xF2.jpg")
        << "in windows-1251 as the title";
    EXPECT_EQ(WithImageLine("H\nT\nold.jpg", "Лист.jpg"), QByteArray("H\nT\n") + QString("Лист.jpg").toUtf8());
    EXPECT_EQ(CalibrationFileFor("/x/Карта.v2.jpeg"), "/x/Карта.v2.map");
}

// The demo's sheets placed on its picture, with Coverage reported, published.
TEST(WebIndexTest, TheGeoJsonCarriesOpenIndexMapsFieldsAndTheMissingSheets)
{
    if (!HasProgram("ogrinfo"))
        GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
    QTemporaryDir dir;
    MemoryLog log;
    Workspace ws{log, "."};
    QString maps = TESSARINE_DEMO "/maps";
    ASSERT_EQ(Analyze(ws, maps, TESSARINE_DEMO "/index.map"), StepOutcome::Completed);
    Coverage(ws, kAutoScale);
    LoadImage(ws, TESSARINE_DEMO "/index.map");
    CalcPoints(ws);
    const QString web = dir.filePath("web");
    ASSERT_EQ(PublishWeb(ws, {web, maps, "https://example.org/m", false, kSourceFileName}), StepOutcome::Completed);
    EXPECT_EQ(log.lines().mid(log.lines().size() - 2),
              QStringList({"Publishing web index...", "Published 16 sheets: index.html, sheets.geojson and index.jpg in " + web}));
    const ProcessRun run = RunProgram(
        "ogrinfo", {"-ro", "-q", "-dialect", "SQLite", "-sql",
                    "SELECT kind, COUNT(*) AS n, SUM(available = 1 OR available = 'true') AS avail, "
                    "SUM(ST_IsValid(geometry) = 1 AND ST_IsPolygonCCW(geometry) = 1) AS good, "
                    "SUM(label IS NOT NULL AND recordIdentifier IS NOT NULL) AS ids, COUNT(downloadUrl) AS urls, "
                    "SUM(downloadUrl = 'https://example.org/m/' || image) AS linked, COUNT(note) AS notes, "
                    "SUM(title = name) AS titled, MIN(label) AS first FROM sheets GROUP BY kind ORDER BY kind",
                    web + "/sheets.geojson"});
    ASSERT_EQ(run.exitCode, 0) << run.out.toStdString();
    QStringList rows;
    for (const QString& line : run.out.split(u'\n')) {
        if (line.startsWith(u"  ") && line.contains(u'='))
            rows.append(line.trimmed().section(u' ', 0, 0) + "=" + line.section(QStringLiteral(" = "), 1));
    }
    EXPECT_EQ(rows.join(u' '),
              "kind=index n=1 avail=0 good=1 ids=1 urls=0 linked=(null) notes=0 titled=(null) first= "
              "kind=missing n=47 avail=0 good=47 ids=47 urls=0 linked=(null) notes=0 titled=(null) first=L-36-066 "
              "kind=sheet n=17 avail=16 good=17 ids=17 urls=16 linked=13 notes=1 titled=17 first=L-36-068.map")
        << "three image names with spaces or Cyrillic are linked percent-encoded";

    EXPECT_EQ(PublishWeb(ws, {TESSARINE_DEMO, maps, "", true, kNoNameSource}), StepOutcome::Stopped);
    EXPECT_EQ(log.lines().last(), "Web index not written: it would replace the index map's image index.jpg");
    testfiles::Write(dir.filePath("file"), "x");
    EXPECT_EQ(PublishWeb(ws, {dir.filePath("file"), maps, "", true, kNoNameSource}), StepOutcome::Stopped);
    EXPECT_EQ(log.lines().at(log.lines().size() - 2), "Failed to publish. Error message:");
}

// Overlapping outlines at random: the grid finds what a test of every
// outline finds, in the same order.
TEST(SheetHitsTest, TheGridAgreesWithTestingEveryOutline)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> at(-500, 4500), size(5, 400);
    std::vector<TSingleMap> maps(2000);
    for (TSingleMap& m : maps) {
        const int x = at(random), y = at(random), w = size(random), h = size(random), skew = size(random) / 4;
        m.IsOk = random() % 10 != 0;
        m.Pixels = {{x, y}, {x + w, y + skew}, {x + w - skew, y + h}, {x, y + h - skew}};
    }
    const SheetHits hits(maps);
    std::vector<SheetHits> each;
    for (const TSingleMap& m : maps)
        each.emplace_back(std::vector<TSingleMap>{m});
    for (int n = 0; n < 2000; ++n) {
        const double x = at(random) + 0.5, y = at(random) + 0.5;
        std::vector<std::size_t> expected;
        for (std::size_t i = maps.size(); i-- > 0;) {
            if (!each[i].at(x, y).empty())
                expected.push_back(i);
        }
        ASSERT_EQ(hits.at(x, y), expected) << x << "," << y;
    }
}

}  // namespace
