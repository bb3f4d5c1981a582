#include "QtPrint.h"
#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "ui/ImageView.h"
#include "ui/TCTrackBar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QRegion>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWindow>

namespace {

// Sends one mouse event straight to `widget`, with the buttons held after it.
void Mouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Where the slider's thumb is drawn at `value`.
QPoint HandleCentre(const QSlider* slider, int value)
{
    QStyleOptionSlider opt;
    opt.initFrom(slider);
    opt.orientation = slider->orientation();
    opt.minimum = slider->minimum();
    opt.maximum = slider->maximum();
    opt.tickPosition = slider->tickPosition();
    opt.tickInterval = slider->tickInterval();
    opt.upsideDown = slider->layoutDirection() == Qt::RightToLeft;
    opt.direction = slider->layoutDirection();
    opt.sliderPosition = value;
    opt.sliderValue = value;
    opt.singleStep = slider->singleStep();
    opt.pageStep = slider->pageStep();
    return slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider).center();
}

// Records the areas of the image view that get painted.
class PaintRecorder final : public QObject {
public:
    explicit PaintRecorder(QWidget* view) { view->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class NamePreviewForm : public UiFixture {
protected:
    // A 2000 x 1600 white index image with a sheet near its top-left
    // corner; the window shown, the steps up to Calc for preview done
    // through their buttons, the view at the top left.
    TMainForm& openWithCentres()
    {
        QDir(dir.path()).mkdir("maps");
        indexFile = dir.filePath("index.map");
        testfiles::Write(indexFile, testfiles::IndexMap("index.jpg", 2000, 1600, 60, 50, 30, 40));
        QImage image(2000, 1600, QImage::Format_RGB32);
        image.fill(Qt::white);
        testfiles::Write(dir.filePath("index.jpg"), EncodeJpeg(image));
        testfiles::Write(dir.filePath("maps/a.map"),
                         testfiles::Sheet("TopLeft", "a.jpg", {{31, 59}, {32, 59}, {32, 58}, {31, 58}}));
        TMainForm& f = open();
        f.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.edMapsDir->setText(dir.filePath("maps"));
        f.edBlankMapFile->setText(indexFile);
        for (QPushButton* b : {f.btnAnalyze, f.btnLoadImage, f.btnCalc, f.btnCalcNames})
            b->click();
        EXPECT_TRUE(f.workspace().centersReady);
        scrollTo(f, 0, 0);
        return f;
    }

    static void scrollTo(TMainForm& f, int horizontal, int vertical)
    {
        f.scrBox->horizontalScrollBar()->setValue(horizontal);
        f.scrBox->verticalScrollBar()->setValue(vertical);
    }

    static QPoint position(TMainForm& f)
    {
        return {f.scrBox->horizontalScrollBar()->value(), f.scrBox->verticalScrollBar()->value()};
    }
};

// Each step of a held thumb redraws the name over the pixels it covers,
// repainting only its box, with the label following; the release puts the
// pixels back and repaints the box.
TEST_F(NamePreviewForm, PressMoveReleaseShowsTheNameAndPutsTheImageBack)
{
    TMainForm& f = openWithCentres();
    const QImage before = f.workspace().workingImage.copy();
    f.tbOpacity->setValue(30);
    const QPoint grip = HandleCentre(f.tbOpacity, 30);
    Mouse(f.tbOpacity, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(f.previewShown());
    const QRect box = f.previewRect();
    const TPixel centre = f.workspace().data.Maps[0].NameCenter;
    EXPECT_TRUE(box.contains(QPoint(centre.X, centre.Y)));
    EXPECT_NE(f.workspace().workingImage.copy(box), before.copy(box)) << "the name shows while pressed";
    QApplication::processEvents();
    PaintRecorder recorder(f.imgMap);

    QImage previous = f.workspace().workingImage.copy(box);
    for (int value : {20, 8, 1, 0, 32}) {
        Mouse(f.tbOpacity, QEvent::MouseMove, grip + (HandleCentre(f.tbOpacity, value) - HandleCentre(f.tbOpacity, 30)),
              Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_EQ(f.tbOpacity->value(), value);
        EXPECT_EQ(f.lbOpacity->text(), QStringLiteral("Opacity: %1").arg(8 * value));
        const QImage now = f.workspace().workingImage.copy(box);
        EXPECT_NE(now, previous) << "redrawn at position " << value;
        EXPECT_EQ(now == before.copy(box), value == 0) << "only alpha 0 leaves the background as it is";
        previous = now;
    }
    EXPECT_FALSE(recorder.painted.isEmpty());
    EXPECT_TRUE(box.contains(recorder.painted.boundingRect()));
    recorder.painted = QRegion();
    Mouse(f.tbOpacity, QEvent::MouseButtonRelease, HandleCentre(f.tbOpacity, 32), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    EXPECT_FALSE(f.previewShown());
    EXPECT_EQ(f.workspace().workingImage, before) << "pixel for pixel as before";
    EXPECT_EQ(recorder.painted.boundingRect(), box) << "the release repaints the box it cleared";
}

// Through the window system, as a real click arrives: the slider ignores a
// right-button press, yet the press and the release still reach the window.
// A press in the channel moves the thumb first, then reaches the window.
TEST_F(NamePreviewForm, EveryWayAPressArrivesPreviews)
{
    TMainForm& f = openWithCentres();
    const QImage before = f.workspace().workingImage.copy();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        const QPoint thumb = f.tbOpacity->mapTo(&f, HandleCentre(f.tbOpacity, f.tbOpacity->value()));
        QTest::mousePress(f.windowHandle(), button, {}, thumb);
        EXPECT_TRUE(f.previewShown()) << int(button);
        QTest::mouseRelease(f.windowHandle(), button, {}, thumb);
        EXPECT_FALSE(f.previewShown()) << int(button);
    }
    const QPoint channel(2, f.tbOpacity->height() / 2);
    Mouse(f.tbOpacity, QEvent::MouseButtonPress, channel, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(f.previewShown());
    EXPECT_EQ(f.lbOpacity->text(), QStringLiteral("Opacity: %1").arg(8 * f.tbOpacity->value()));
    Mouse(f.tbOpacity, QEvent::MouseButtonRelease, channel, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(f.previewShown());
    EXPECT_EQ(f.workspace().workingImage, before);
}

// The left button drags by the distance moved, stopping at the ends; the
// release ends the drag.
TEST_F(NamePreviewForm, DraggingWithTheLeftButtonScrollsByTheDragDistance)
{
    TMainForm& f = openWithCentres();
    scrollTo(f, 100, 100);
    QWidget* view = f.imgMap;
    Mouse(view, QEvent::MouseButtonPress, {400, 300}, Qt::LeftButton, Qt::LeftButton);
    Mouse(view, QEvent::MouseMove, {380, 270}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(position(f), QPoint(120, 130));
    Mouse(view, QEvent::MouseMove, {700, 700}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(position(f), QPoint(0, 0)) << "past the ends";
    Mouse(view, QEvent::MouseButtonRelease, {700, 700}, Qt::LeftButton, Qt::NoButton);
    Mouse(view, QEvent::MouseMove, {300, 200}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(position(f), QPoint(0, 0)) << "the release ends the drag";

    scrollTo(f, 110, 90);
    const QPoint start = f.scrBox->viewport()->mapTo(&f, QPoint(300, 200));
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, start);
    QTest::mouseMove(f.windowHandle(), start + QPoint(-40, -25));
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, start + QPoint(-40, -25));
    EXPECT_EQ(position(f), QPoint(150, 115)) << "through the window system";
}

}  // namespace
