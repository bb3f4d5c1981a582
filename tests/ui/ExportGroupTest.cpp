// SPDX-License-Identifier: GPL-3.0-or-later
// Save as…, Publish… and the sheets under the pointer, on the demo and on
// two sheets that lie on each other.

#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "ui/ImageView.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolTip>
#include <QUrl>

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
    static QString tooltipAt(TMainForm& f, QPointF imagePoint)
    {
        const QPoint at = (imagePoint * f.imgMap->zoom()).toPoint();
        QHelpEvent event(QEvent::ToolTip, at, f.imgMap->mapToGlobal(at));
        QCoreApplication::sendEvent(f.imgMap, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    static void doubleClick(TMainForm& f, QPointF imagePoint)
    {
        const QPointF at = imagePoint * f.imgMap->zoom();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
            QMouseEvent event(type, at, f.imgMap->mapToGlobal(at), Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(f.imgMap, &event);
        }
    }
};

TEST_F(ExportGroup, TheTooltipNamesTheSheetsUnderThePointerTopmostFirstAndADoubleClickOpensOne)
{
    TMainForm& f = openOn(3, TESSARINE_DEMO "/maps", TESSARINE_DEMO "/index.map");
    f.show();
    for (double zoom : {1.0, 0.5, 2.0}) {
        f.imgMap->setZoom(zoom);
        EXPECT_EQ(tooltipAt(f, {505, 205}), "<p style='white-space:pre'>L-36-68 Армянск — L-36-068, 1:100 000 — L-36-068.map</p>");
        tooltipAt(f, {5, 5});  // no sheet there: the tip fades out
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000)) << zoom;
    }
    doubleClick(f, {505, 205});
    EXPECT_TRUE(f.meRes->toPlainText().endsWith("\n...image of L-36-068.map not found: L-36-068.jpg"));

    TMainForm& two = openOn(3);
    two.show();
    testfiles::Write(dir.filePath("maps/n-37-002.jpg"), "an image");
    TPixel corner;  // of the first usable sheet
    for (const TSingleMap& m : two.workspace().data.Maps)
        corner = m.IsOk && corner == TPixel{} ? m.Pixels.at(0) : corner;
    const QPointF inside(corner.X + 20, corner.Y + 20);
    EXPECT_EQ(tooltipAt(two, inside).count("N-37-00"), 4);
    EXPECT_LT(tooltipAt(two, inside).indexOf("N-37-002.map"), tooltipAt(two, inside).indexOf("N-37-001.map"));
    UrlRecorder urls;
    doubleClick(two, inside);
    EXPECT_EQ(urls.opened, QStringList{dir.filePath("maps/n-37-002.jpg")}) << "the topmost";
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

}  // namespace

#include "ExportGroupTest.moc"
