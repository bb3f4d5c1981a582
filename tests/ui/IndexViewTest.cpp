// SPDX-License-Identifier: GPL-3.0-or-later
// The view of the index map: the name preview under the opacity slider,
// drag-scrolling, zoom, and the window's other ways in (accessible actions,
// dropped files).

#include "Gradient.h"
#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "ui/ImageView.h"
#include "ui/RadioGroup.h"
#include "ui/TCTrackBar.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRadioButton>
#include <QRegion>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

namespace {

// Sends one mouse event straight to `widget`, with the buttons held after it.
void Mouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Where the slider's thumb is drawn at `value`.
QPoint HandleCenter(const QSlider* slider, int value)
{
    const int length = slider->style()->pixelMetric(QStyle::PM_SliderLength, nullptr, slider);
    const int left = QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), value, slider->width() - length);
    return {left + length / 2, slider->height() / 2};
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

// The demo's sheets over an 8,000 x 6,000 copy of its overview, with the
// demo's steps done, in a shown and active window.
class ShownDemo : public UiFixture {
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
        TMainForm& f = openOn(6, TESSARINE_DEMO "/maps", files->filePath("index.map"));
        f.show();
        QApplication::setActiveWindow(&f);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        EXPECT_TRUE(f.btnSave->isEnabled()) << "the names are drawn";
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
    static void key(TMainForm& f, Qt::Key key) { QTest::keyClick(&f, key, Qt::ControlModifier); }

    static inline QTemporaryDir* files = nullptr;
};

// Each step of a held thumb redraws the name over the pixels it covers,
// repainting only its box, with the label following; the release puts the
// pixels back and repaints the box. Every way a press arrives previews.
TEST_F(ShownDemo, PressMoveReleaseShowsTheNameAndPutsTheImageBack)
{
    TMainForm& f = demo();
    const QImage before = f.workspace().workingImage.copy();
    f.tbOpacity->setValue(30);
    const QPoint grip = HandleCenter(f.tbOpacity, 30);
    Mouse(f.tbOpacity, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(f.previewShown());
    const QRect box = f.previewRect();
    EXPECT_TRUE(std::any_of(f.workspace().data.Maps.begin(), f.workspace().data.Maps.end(),
                            [&](const TSingleMap& m) { return m.IsOk && box.contains(QPoint(m.NameCenter.X, m.NameCenter.Y)); }));
    EXPECT_NE(f.workspace().workingImage.copy(box), before.copy(box)) << "the name shows while pressed";
    QApplication::processEvents();
    PaintRecorder recorder(f.imgMap);

    QImage previous = f.workspace().workingImage.copy(box);
    for (int value : {20, 8, 1, 0, 32}) {
        Mouse(f.tbOpacity, QEvent::MouseMove, grip + (HandleCenter(f.tbOpacity, value) - HandleCenter(f.tbOpacity, 30)),
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
    Mouse(f.tbOpacity, QEvent::MouseButtonRelease, HandleCenter(f.tbOpacity, 32), Qt::LeftButton, Qt::NoButton);
    QApplication::processEvents();
    EXPECT_FALSE(f.previewShown());
    EXPECT_EQ(f.workspace().workingImage, before) << "pixel for pixel as before";
    EXPECT_EQ(recorder.painted.boundingRect(), box) << "the release repaints the box it cleared";

    // Through the window system, as a real click arrives: the slider ignores
    // a right-button press, yet the press and the release still reach the
    // window. A press in the channel moves the thumb first, then reaches it.
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        const QPoint thumb = f.tbOpacity->mapTo(&f, HandleCenter(f.tbOpacity, f.tbOpacity->value()));
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
TEST_F(ShownDemo, DraggingWithTheLeftButtonScrollsByTheDragDistance)
{
    TMainForm& f = demo();
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

TEST_F(ShownDemo, FitShowsTheWholeImagePreviewsAtItAndActualPixelsComeBackToTheSameCenter)
{
    TMainForm& f = demo();
    scrollTo(f, 3000, 2000);
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
    EXPECT_LT(MeanGreenDifference(screen, expected), 4.0);
    // A name preview at fit puts back exactly the pixels it covered.
    const QImage drawn = f.workspace().workingImage.copy();
    QTest::mousePress(f.tbOpacity, Qt::LeftButton);
    ASSERT_TRUE(f.previewShown());
    EXPECT_NE(f.workspace().workingImage.copy(f.previewRect()), drawn.copy(f.previewRect()));
    f.tbOpacity->setValue(5);
    QTest::mouseRelease(f.tbOpacity, Qt::LeftButton);
    EXPECT_TRUE(f.workspace().workingImage == drawn);

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

// As a screen reader does it: the Toggle action, not a click.
TEST_F(ShownDemo, AnAccessibleToggleChoosesTheRadioItem)
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

TEST_F(UiFixture, ShowsImagesWiderThanAWindowSystemCoordinate)
{
    TMainForm& f = open();
    QImage& image = f.workspace().workingImage;
    image = QImage(40000, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(39990, 50, qRgb(0, 0, 255));
    image.setPixel(5, 5, qRgb(255, 0, 0));
    f.imgMap->refresh();
    EXPECT_EQ(f.imgMap->size(), QSize(40000, 100));

    const QImage far = f.imgMap->grab(QRect(39980, 40, 20, 20)).toImage();
    EXPECT_EQ(far.pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(far.pixel(0, 0), qRgb(255, 255, 255));
    const QImage near = f.imgMap->grab(QRect(0, 0, 10, 10)).toImage();
    EXPECT_EQ(near.pixel(5, 5), qRgb(255, 0, 0));
}

}  // namespace
