#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "ui/ImageView.h"
#include "ui/RadioGroup.h"
#include "ui/TCTrackBar.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

// The demo's sheets over an 8,000 x 6,000 copy of its overview, with the
// demo's steps done, in a shown and active window.
class ZoomWindow : public UiFixture {
protected:
    static void SetUpTestSuite()
    {
        files = new QTemporaryDir;
        const QImage demo = DecodeJpeg(testfiles::Read(TESSARINE_DEMO "/index.jpg"), qint64{1} << 30);
        testfiles::Write(files->filePath("index.jpg"), EncodeJpeg(demo.scaled(8000, 6000)));
        testfiles::Write(files->filePath("index.map"), testfiles::IndexMap("index.jpg", 8000, 6000, 46.6, 44, 32.2, 37.1));
    }
    static void TearDownTestSuite() { delete files; }

    TMainForm& demo()
    {
        TMainForm& f = open();
        f.show();
        QApplication::setActiveWindow(&f);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        f.edMapsDir->setText(TESSARINE_DEMO "/maps");
        f.edBlankMapFile->setText(files->filePath("index.map"));
        for (QPushButton* b : {f.btnAnalyze, f.btnLoadImage, f.btnCalc, f.btnDraw, f.btnCalcNames, f.btnNames})
            b->click();
        EXPECT_EQ(f.workspace().workingImage.size(), QSize(8000, 6000));
        EXPECT_TRUE(f.btnSave->isEnabled()) << "the names are drawn";
        return f;
    }
    static QPoint position(TMainForm& f)
    {
        return {f.scrBox->horizontalScrollBar()->value(), f.scrBox->verticalScrollBar()->value()};
    }
    static void key(TMainForm& f, Qt::Key key) { QTest::keyClick(&f, key, Qt::ControlModifier); }

    static inline QTemporaryDir* files = nullptr;
};

TEST_F(ZoomWindow, FitShowsTheWholeImageAndActualPixelsComeBackToTheSameCentre)
{
    TMainForm& f = demo();
    f.scrBox->horizontalScrollBar()->setValue(3000);
    f.scrBox->verticalScrollBar()->setValue(2000);
    const QPoint before = position(f);
    key(f, Qt::Key_0);
    QApplication::processEvents();
    const QSize shown = f.imgMap->size();
    const QSize view = f.scrBox->viewport()->size();
    EXPECT_TRUE(shown.boundedTo(view) == shown && (shown.width() == view.width() || shown.height() == view.height()));
    EXPECT_EQ(position(f), QPoint(0, 0));
    // What shows is the image made smaller, not a part of it or the wrong level.
    const QImage screen = f.imgMap->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = f.workspace().workingImage.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    qint64 difference = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            difference += std::abs(qGreen(screen.pixel(x, y)) - qGreen(expected.pixel(x, y)));
    EXPECT_LT(difference, 4 * qint64{shown.width()} * shown.height());

    key(f, Qt::Key_1);
    EXPECT_EQ(f.imgMap->zoom(), 1.0);
    EXPECT_EQ(position(f), before);
    // Ctrl+wheel: one level in, the image point under the pointer stays there.
    const QPointF pointer(200, 150);
    const QPointF under = (QPointF(position(f)) + pointer) / f.imgMap->zoom();
    QWheelEvent wheel(pointer, pointer, {}, {0, 120}, Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.scrBox->viewport(), &wheel);
    EXPECT_EQ(f.lbZoom->text(), QStringLiteral("141%"));
    const QPointF after = (QPointF(position(f)) + pointer) / f.imgMap->zoom();
    EXPECT_LT((after - under).manhattanLength(), 1.0);
}

TEST_F(ZoomWindow, ANamePreviewAtFitPutsBackExactlyThePixelsItCovered)
{
    TMainForm& f = demo();
    key(f, Qt::Key_0);
    const QImage before = f.workspace().workingImage.copy();
    QTest::mousePress(f.tbOpacity, Qt::LeftButton);
    ASSERT_TRUE(f.previewShown());
    EXPECT_NE(f.workspace().workingImage.copy(f.previewRect()), before.copy(f.previewRect()));
    f.tbOpacity->setValue(5);
    QTest::mouseRelease(f.tbOpacity, Qt::LeftButton);
    EXPECT_FALSE(f.previewShown());
    EXPECT_TRUE(f.workspace().workingImage == before);
}

// As a screen reader does it: the Toggle action, not a click.
TEST_F(ZoomWindow, AnAccessibleToggleChoosesTheRadioItem)
{
    TMainForm& f = open();
    for (TRadioGroup* group : {f.rdCenters, f.rdSrc}) {
        for (int i = 0; i < group->count(); ++i) {
            QAccessibleInterface* button = QAccessible::queryAccessibleInterface(group->button(i));
            ASSERT_TRUE(button && button->actionInterface());
            button->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
            EXPECT_EQ(group->itemIndex(), i) << group->button(i)->text().toStdString();
        }
    }
    EXPECT_EQ(f.workspace().centersMethod, 1);
    EXPECT_TRUE(f.btnCalcNames->isEnabled());
    f.close();
    EXPECT_TRUE(settingsText().contains("CenterNames=1") && settingsText().contains("NamesSrc=3")) << settingsText().toStdString();
}

TEST_F(ZoomWindow, ADroppedFolderOrMapFileFillsItsBox)
{
    TMainForm& f = open();
    for (const char* path : {TESSARINE_DEMO "/maps", TESSARINE_DEMO "/index.map", TESSARINE_DEMO "/index.jpg"}) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromUtf8(path))});
        QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f, &enter);
        QApplication::sendEvent(&f, &drop);
    }
    EXPECT_EQ(f.edMapsDir->text(), QStringLiteral(TESSARINE_DEMO "/maps"));
    EXPECT_EQ(f.edBlankMapFile->text(), QStringLiteral(TESSARINE_DEMO "/index.map"));
}

}  // namespace
