// SPDX-License-Identifier: GPL-3.0-or-later
// Save as…, Publish… and the sheets under the pointer, on the demo and on
// two sheets that lie on each other.

#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "ui/ImageView.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolTip>
#include <QUrl>

#include <algorithm>

namespace {

// Takes the URLs the window hands to the desktop.
class UrlRecorder final : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened.append(url.toLocalFile()); }
};

class ExportGroup : public UiFixture {
protected:
    // The steps up to `last`, on the demo in place or on makeDemo()'s sheets.
    TMainForm& run(const QString& maps, const QString& index, QPushButton* TMainForm::*last)
    {
        TMainForm& f = open();
        f.edMapsDir->setText(maps);
        f.edBlankMapFile->setText(index);
        for (QPushButton* TMainForm::*b : {&TMainForm::btnAnalyze, &TMainForm::btnLoadImage, &TMainForm::btnCalc,
                                            &TMainForm::btnDraw}) {
            (f.*b)->click();
            if (b == last)
                break;
        }
        return f;
    }
    QString tooltipAt(TMainForm& f, QPoint imagePoint)
    {
        const QPoint at(int(imagePoint.x() * f.imgMap->zoom()), int(imagePoint.y() * f.imgMap->zoom()));
        QHelpEvent event(QEvent::ToolTip, at, f.imgMap->mapToGlobal(at));
        QCoreApplication::sendEvent(f.imgMap, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    static void doubleClick(TMainForm& f, QPoint imagePoint)
    {
        const QPointF at(imagePoint.x() * f.imgMap->zoom(), imagePoint.y() * f.imgMap->zoom());
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
            QMouseEvent event(type, at, f.imgMap->mapToGlobal(at), Qt::LeftButton,
                              down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(f.imgMap, &event);
        }
    }
    static QString lastLog(TMainForm& f) { return f.meRes->toPlainText().section(u'\n', -1); }
};

TEST_F(ExportGroup, TheTooltipNamesTheSheetsUnderThePointerAtAnyZoom)
{
    TMainForm& f = run(TESSARINE_DEMO "/maps", TESSARINE_DEMO "/index.map", &TMainForm::btnCalc);
    f.show();
    const QString expected = "L-36-68 Армянск — L-36-068, 1:100 000 — L-36-068.map";
    for (double zoom : {1.0, 0.5, 2.0}) {
        f.imgMap->setZoom(zoom);
        EXPECT_TRUE(tooltipAt(f, {505, 205}).contains(expected)) << zoom << tooltipAt(f, {505, 205}).toStdString();
        tooltipAt(f, {5, 5});
        // A tip that goes fades out first.
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000)) << "no sheet there";
    }
    f.imgMap->setZoom(1.0);
    doubleClick(f, {505, 205});
    EXPECT_EQ(lastLog(f), "...image of L-36-068.map not found: L-36-068.jpg");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(ExportGroup, OverlappingSheetsAreNamedTopmostFirstAndTheTopmostOpens)
{
    const QString maps = makeDemo(2);
    testfiles::Write(dir.filePath("index.jpg"), EncodeJpeg(QImage(1000, 800, QImage::Format_RGB32)));
    testfiles::Write(dir.filePath("maps/n-37-002.jpg"), "an image");
    TMainForm& f = run(maps, indexFile, &TMainForm::btnCalc);
    f.show();
    const auto& sheets = f.workspace().data.Maps;
    const auto first = std::find_if(sheets.begin(), sheets.end(), [](const TSingleMap& m) { return m.IsOk; });
    ASSERT_TRUE(first != sheets.end() && first->Pixels.size() == 4) << f.meRes->toPlainText().toStdString();
    const TPixel c = first->Pixels[0];
    const QString tip = tooltipAt(f, {c.X + 20, c.Y + 20});
    EXPECT_GT(tip.indexOf("N-37-001.map"), tip.indexOf("N-37-002.map")) << tip.toStdString();
    EXPECT_GE(tip.indexOf("N-37-002.map"), 0) << tip.toStdString();
    UrlRecorder urls;
    doubleClick(f, {c.X + 20, c.Y + 20});
    EXPECT_EQ(urls.opened, QStringList{dir.filePath("maps/n-37-002.jpg")});
}

TEST_F(ExportGroup, SaveAsLeavesTheOverviewAndTheButtons)
{
    const QString maps = makeDemo(2);
    const QByteArray overview = EncodeJpeg(QImage(1000, 800, QImage::Format_RGB32));
    testfiles::Write(dir.filePath("index.jpg"), overview);
    TMainForm& f = run(maps, indexFile, &TMainForm::btnCalc);
    EXPECT_FALSE(f.btnSaveAs->isEnabled());
    f.btnDraw->click();
    ASSERT_TRUE(f.btnSaveAs->isEnabled());
    const QStringList before = EnabledCommands(f);
    dialogs.saveFiles = {dir.filePath("copy.jpg"), dir.filePath("copy.jpg")};
    f.btnSaveAs->click();
    EXPECT_TRUE(f.meRes->toPlainText().endsWith("\n\nSaving JPG...\nSaved as copy.jpg"));
    EXPECT_EQ(testfiles::Read(dir.filePath("index.jpg")), overview);
    EXPECT_TRUE(testfiles::Read(dir.filePath("copy.map")).contains("\r\ncopy.jpg\r\n"));
    EXPECT_EQ(QImage(dir.filePath("copy.jpg")).size(), QSize(1000, 800));
    EXPECT_EQ(EnabledCommands(f), before);
    f.btnSaveAs->click();
    EXPECT_EQ(dialogs.questions, QStringList{"Replace the existing copy.jpg and copy.map?"});
    f.btnSave->click();
    EXPECT_FALSE(f.btnSaveAs->isEnabled()) << "as Save jpg";
}

TEST_F(ExportGroup, PublishAsksBeforeWritingIntoAFolderWithFiles)
{
    const QString maps = makeDemo(2);
    testfiles::Write(dir.filePath("index.jpg"), EncodeJpeg(QImage(1000, 800, QImage::Format_RGB32)));
    TMainForm& f = run(maps, indexFile, &TMainForm::btnLoadImage);
    EXPECT_FALSE(f.btnPublish->isEnabled());
    f.btnCalc->click();
    ASSERT_TRUE(f.btnPublish->isEnabled());
    const QString web = dir.filePath("web");
    dialogs.publishes = {{web, ""}, {web, "https://example.org/scans"}, {web, "https://example.org/scans"}};
    f.btnPublish->click();
    EXPECT_EQ(QDir(web).entryList(QDir::Files), QStringList({"index.html", "index.jpg", "sheets.geojson"}));
    EXPECT_TRUE(testfiles::Read(web + "/index.html").contains("<a href=\"../maps/N-37-001.jpg\">"));
    f.btnPublish->click();  // answered No
    EXPECT_EQ(dialogs.questions, QStringList{web + " is not empty. Write the web index into it anyway?"});
    EXPECT_FALSE(testfiles::Read(web + "/index.html").contains("example.org"));
    dialogs.yesAnswers = 1;
    f.btnPublish->click();
    EXPECT_TRUE(testfiles::Read(web + "/index.html").contains("<a href=\"https://example.org/scans/N-37-001.jpg\">"));
    EXPECT_EQ(dialogs.publishPresets.last(), web + "|https://example.org/scans") << "the last answer again";
    f.btnClearAll->click();
    EXPECT_FALSE(f.btnPublish->isEnabled());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
}

}  // namespace

#include "ExportGroupTest.moc"
