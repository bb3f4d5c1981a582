// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFiles.h"
#include "QtPrint.h"
#include "workflow/panel/SaveAs.h"
#include "core/Errors.h"
#include "workflow/web/OpenIndexSheets.h"
#include "workflow/web/PublishFolder.h"
#include "workflow/web/SheetHits.h"
#include "workflow/web/SheetLinks.h"
#include "workflow/web/WebPage.h"


#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TEST(WebIndexTest, LinksLeadFromThePageToTheSheetsEncoded)
{
    for (const QStringList& c : testfiles::Rows("web/sheet-links.txt"))
        EXPECT_EQ(SheetLinkFolder(c[0], c[1], c[2] == "-" ? QString() : c[2]) + EncodePath(c[3]), c[4]) << c[3].toStdString();
}

TEST(WebIndexTest, AnEditionIsDatedByAYearStandingAloneInItsName)
{
    for (const QStringList& c : testfiles::Rows("web/years-in-names.txt"))
        EXPECT_EQ(YearIn(c[0]), c[1] == "-" ? QString() : c[1]) << c[0].toStdString();
}

TEST(WebIndexTest, TextFromSheetsNeverBecomesMarkup)
{
    const QString name = QStringLiteral("<b>Tom & \"Jerry\"</b> 'Карта' </script><!--");
    WebPageContent page;
    page.title = name;
    page.width = 200;
    page.height = 100;
    QJsonObject props{{"label", name}, {"kind", "sheet"}};
    page.geoJson = QJsonDocument(QJsonObject{{"type", "FeatureCollection"},
                                             {"features", QJsonArray{QJsonObject{{"type", "Feature"}, {"properties", props}}}}})
                       .toJson();
    page.sheets.push_back({name, "<a>.map", "", 0, true, "", "x.jpg?a=1&b=\"2\"", 1, 2, 30, 40});
    page.sheets.push_back({"bad", "bad.map", "", 0, false, "<script>x", "", 0, 0, 0, 0});
    const QString html = QString::fromUtf8(WriteWebPage(page));
    const QString escaped = "&lt;b&gt;Tom &amp; &quot;Jerry&quot;&lt;/b&gt; &#39;Карта&#39; &lt;/script&gt;&lt;!--";
    EXPECT_EQ(html.count(escaped), 4) << "page title, heading, the table's zoom button and link";
    for (const char* raw : {"<b>", "<a>", "<script>x", "&b=\"", "<!--"})
        EXPECT_FALSE(html.contains(raw)) << raw;
    EXPECT_TRUE(html.contains("<a href=\"x.jpg?a=1&amp;b=&quot;2&quot;\">"));
    EXPECT_TRUE(html.contains("data-box=\"1 2 30 40\""));
    EXPECT_EQ(html.count("</script>"), 3) << "the data, Leaflet and the page's script end where they should";
    // The data comes back whole from its element.
    const QString open = "<script type=\"application/json\" id=\"index-data\">";
    const qsizetype from = html.indexOf(open) + open.size();
    const QJsonObject data = QJsonDocument::fromJson(html.mid(from, html.indexOf("</script>", from) - from).toUtf8()).object();
    EXPECT_EQ(data["sheets"]["features"][0]["properties"]["label"].toString(), name);
    EXPECT_EQ(data["width"].toInt(), 200);
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
    // A grid made earlier is kept only while no usable corner has moved.
    const std::size_t key = OutlinesKey(maps);
    const auto usable = std::find_if(maps.begin(), maps.end(), [](const TSingleMap& m) { return m.IsOk; }) - maps.begin();
    for (std::size_t corner = 0; corner < 4; ++corner) {
        std::vector<TSingleMap> moved = maps;
        moved[std::size_t(usable)].Pixels[corner].X += 1;
        EXPECT_NE(OutlinesKey(moved), key) << corner;
    }
}

}  // namespace

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(PublishFolderTest, AllOrNothingAndOtherFilesUntouched)
{
    QTemporaryDir temp;
    const QString dir = temp.path();
    Write(dir + "/tiles/0/0/0.jpg", "old tile");
    Write(dir + "/tiles/9/9/9.jpg", "stale tile");
    Write(dir + "/other.txt", "keep");
    QDir().mkpath(dir + "/index.html");  // a folder where the page goes: its write fails last
    const auto publish = [&dir] {
        StagedFolder tiles(dir, "tiles"), thumbs(dir, "thumbs");
        tiles.writeAll({{"0/0/0.jpg", "new tile"}, {"1/0/0.jpg", "new tile"}});
        thumbs.write("1-a.jpg", "thumb");
        ReplacePublishedFiles(dir, {&tiles, &thumbs}, {{"sheets.geojson", "{}"}, {"index.html", "page"}});
    };
    EXPECT_THROW(publish(), TessError);
    EXPECT_EQ(Read(dir + "/tiles/0/0/0.jpg"), "old tile");
    EXPECT_EQ(Read(dir + "/tiles/9/9/9.jpg"), "stale tile");
    EXPECT_EQ(Entries(dir), QStringList({"index.html", "other.txt", "tiles"})) << "nothing new, nothing hidden left";
    EXPECT_EQ(Entries(dir + "/tiles"), QStringList({"0", "9"}));

    QDir(dir + "/index.html").removeRecursively();
    publish();
    EXPECT_EQ(Entries(dir), QStringList({"index.html", "other.txt", "sheets.geojson", "thumbs", "tiles"}));
    EXPECT_EQ(Entries(dir + "/tiles"), QStringList({"0", "1"})) << "the old folder goes whole";
    EXPECT_EQ(Read(dir + "/tiles/0/0/0.jpg"), "new tile");
    EXPECT_EQ(Read(dir + "/thumbs/1-a.jpg"), "thumb");
    EXPECT_EQ(Read(dir + "/other.txt"), "keep");
    EXPECT_EQ(Read(dir + "/index.html"), "page");
}

}  // namespace
