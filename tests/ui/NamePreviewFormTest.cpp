#include "QtPrint.h"
#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "ui/ImageView.h"
#include "ui/RadioGroup.h"
#include "ui/TCTrackBar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPlainTextEdit>
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
    // A 2000 x 1600 white index image with three sheets: one near the
    // top-left corner, one in the middle and one near the bottom-right
    // corner; the window shown, the steps up to Calc for preview done
    // through their buttons.
    TMainForm& openWithCentres()
    {
        QDir(dir.path()).mkdir("maps");
        indexFile = dir.filePath("index.map");
        testfiles::Write(indexFile, testfiles::IndexMap("index.jpg", 2000, 1600, 60, 50, 30, 40));
        QImage image(2000, 1600, QImage::Format_RGB32);
        image.fill(Qt::white);
        testfiles::Write(dir.filePath("index.jpg"), EncodeJpeg(image));
        const std::pair<const char*, std::pair<double, double>> sheets[] = {
            {"TopLeft", {31, 59}}, {"Middle", {34.5, 55.5}}, {"BottomRight", {38, 52}}};
        for (const auto& [name, corner] : sheets) {
            const auto [lon, lat] = corner;
            testfiles::Write(dir.filePath(QStringLiteral("maps/%1.map").arg(name)),
                             testfiles::Sheet(name, QStringLiteral("%1.jpg").arg(name),
                                              {{lon, lat}, {lon + 1, lat}, {lon + 1, lat - 1}, {lon, lat - 1}}));
        }
        TMainForm& f = open();
        f.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.edMapsDir->setText(dir.filePath("maps"));
        f.edBlankMapFile->setText(indexFile);
        for (QPushButton* b : {f.btnAnalyze, f.btnLoadImage, f.btnCalc, f.btnCalcNames}) {
            EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
            b->click();
        }
        EXPECT_TRUE(f.workspace().centersReady);
        EXPECT_EQ(f.workspace().workingImage.size(), QSize(2000, 1600));
        return f;
    }

    TPixel centreOf(TMainForm& f, const QString& name)
    {
        for (const TSingleMap& sheet : f.workspace().data.Maps) {
            if (sheet.MapName == name)
                return sheet.NameCenter;
        }
        ADD_FAILURE() << "no sheet " << name.toStdString();
        return {};
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

    // The image point in the middle of the view's usable part.
    static QPoint viewMiddle(TMainForm& f)
    {
        const int bar = f.scrBox->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, f.scrBox);
        return position(f) + QPoint((f.scrBox->width() - bar) / 2, (f.scrBox->height() - bar) / 2);
    }

    // A left click on the thumb, pressed and released.
    static void press(TMainForm& f)
    {
        Mouse(f.tbOpacity, QEvent::MouseButtonPress, HandleCentre(f.tbOpacity, f.tbOpacity->value()), Qt::LeftButton,
              Qt::LeftButton);
    }
    static void release(TMainForm& f)
    {
        Mouse(f.tbOpacity, QEvent::MouseButtonRelease, HandleCentre(f.tbOpacity, f.tbOpacity->value()),
              Qt::LeftButton, Qt::NoButton);
    }
};

TEST_F(NamePreviewForm, PressMoveReleaseShowsTheNameAndPutsTheImageBack)
{
    TMainForm& f = openWithCentres();
    scrollTo(f, 0, 0);
    const QImage before = f.workspace().workingImage.copy();
    f.tbOpacity->setValue(30);
    const QPoint grip = HandleCentre(f.tbOpacity, 30);
    Mouse(f.tbOpacity, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(f.previewShown());
    const QRect box = f.previewRect();
    EXPECT_TRUE(box.contains(QPoint(centreOf(f, "TopLeft").X, centreOf(f, "TopLeft").Y)));
    EXPECT_NE(f.workspace().workingImage.copy(box), before.copy(box)) << "the name shows while pressed";
    EXPECT_EQ(f.workspace().workingImage.copy(), [&] {
        QImage outside = f.workspace().workingImage.copy();
        QImage expected = before.copy();
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                expected.setPixel(x, y, outside.pixel(x, y));
        return expected;
    }()) << "nothing outside the text box changes";

    QImage previous = f.workspace().workingImage.copy(box);
    for (int value : {20, 8, 1, 0, 32}) {
        Mouse(f.tbOpacity, QEvent::MouseMove, grip + (HandleCentre(f.tbOpacity, value) - HandleCentre(f.tbOpacity, 30)),
              Qt::NoButton, Qt::LeftButton);
        ASSERT_EQ(f.tbOpacity->value(), value);
        EXPECT_EQ(f.lbOpacity->text(), QStringLiteral("Opacity: %1").arg(8 * value));
        ASSERT_TRUE(f.previewShown());
        const QImage now = f.workspace().workingImage.copy(box);
        EXPECT_NE(now, previous) << "redrawn at position " << value;
        EXPECT_EQ(now == before.copy(box), value == 0) << "only alpha 0 leaves the background as it is";
        previous = now;
    }
    Mouse(f.tbOpacity, QEvent::MouseButtonRelease, HandleCentre(f.tbOpacity, 32), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(f.previewShown());
    EXPECT_EQ(f.workspace().workingImage, before) << "pixel for pixel as before";
    EXPECT_EQ(f.tbOpacity->value(), 32);
}

// Through the window system, as a real click arrives: the slider ignores a
// right-button press, yet the press and the release still reach the window.
TEST_F(NamePreviewForm, AnyButtonThroughTheWindowSystemPreviews)
{
    TMainForm& f = openWithCentres();
    const QImage before = f.workspace().workingImage.copy();
    QWindow* window = f.windowHandle();
    ASSERT_NE(window, nullptr);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        const QPoint thumb = f.tbOpacity->mapTo(&f, HandleCentre(f.tbOpacity, f.tbOpacity->value()));
        QTest::mousePress(window, button, {}, thumb);
        EXPECT_TRUE(f.previewShown()) << int(button);
        QTest::mouseRelease(window, button, {}, thumb);
        EXPECT_FALSE(f.previewShown()) << int(button);
        EXPECT_EQ(f.workspace().workingImage, before);
    }
}

TEST_F(NamePreviewForm, PressInTheChannelStillStartsThePreview)
{
    TMainForm& f = openWithCentres();
    f.tbOpacity->setValue(30);
    const QImage before = f.workspace().workingImage.copy();
    // Far left of the groove, away from the thumb: the slider moves the
    // thumb first, then the press reaches the window.
    Mouse(f.tbOpacity, QEvent::MouseButtonPress, QPoint(2, f.tbOpacity->height() / 2), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(f.previewShown());
    EXPECT_EQ(f.lbOpacity->text(), QStringLiteral("Opacity: %1").arg(8 * f.tbOpacity->value()));
    Mouse(f.tbOpacity, QEvent::MouseButtonRelease, QPoint(2, f.tbOpacity->height() / 2), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(f.previewShown());
    EXPECT_EQ(f.workspace().workingImage, before);
}

TEST_F(NamePreviewForm, TheSheetNearestTheViewMiddleIsPreviewedAndScrolledTo)
{
    TMainForm& f = openWithCentres();
    QScrollBar* h = f.scrBox->horizontalScrollBar();
    QScrollBar* v = f.scrBox->verticalScrollBar();
    ASSERT_GT(h->maximum(), 0);
    ASSERT_GT(v->maximum(), 0);

    scrollTo(f, h->maximum(), v->maximum());
    press(f);
    ASSERT_TRUE(f.previewShown());
    const TPixel far = centreOf(f, "BottomRight");
    EXPECT_TRUE(f.previewRect().contains(QPoint(far.X, far.Y)));
    EXPECT_EQ(position(f), QPoint(h->maximum(), v->maximum())) << "a centre near the end scrolls to the end";
    release(f);

    // Near the middle sheet's centre: the press brings it to the middle of
    // the view.
    const TPixel middle = centreOf(f, "Middle");
    const QPoint half = viewMiddle(f) - position(f);
    scrollTo(f, middle.X - 100 - half.x(), middle.Y - 100 - half.y());
    ASSERT_EQ(viewMiddle(f), QPoint(middle.X - 100, middle.Y - 100));
    press(f);
    ASSERT_TRUE(f.previewShown());
    EXPECT_TRUE(f.previewRect().contains(QPoint(middle.X, middle.Y)));
    EXPECT_EQ(viewMiddle(f), QPoint(middle.X, middle.Y));
    release(f);

    scrollTo(f, 0, 0);
    press(f);
    const TPixel corner = centreOf(f, "TopLeft");
    EXPECT_TRUE(f.previewRect().contains(QPoint(corner.X, corner.Y)));
    EXPECT_EQ(position(f), QPoint(0, 0)) << "a centre near the start scrolls to 0";
    release(f);
}

TEST_F(NamePreviewForm, SliderStepsRepaintOnlyTheTextBox)
{
    TMainForm& f = openWithCentres();
    scrollTo(f, 0, 0);
    f.tbOpacity->setValue(30);
    press(f);
    ASSERT_TRUE(f.previewShown());
    QApplication::processEvents();
    const QRect box = f.previewRect();
    PaintRecorder recorder(f.imgMap);
    for (int value : {10, 20}) {
        f.tbOpacity->setValue(value);
        QApplication::processEvents();
    }
    EXPECT_FALSE(recorder.painted.isEmpty()) << "the new opacity is shown";
    EXPECT_TRUE(box.contains(recorder.painted.boundingRect()))
        << "painted " << recorder.painted.boundingRect().width() << " x " << recorder.painted.boundingRect().height();
    recorder.painted = QRegion();
    release(f);
    QApplication::processEvents();
    EXPECT_EQ(recorder.painted.boundingRect(), box) << "the release repaints the box it cleared";
}

TEST_F(NamePreviewForm, SecondPressRemovesTheFirstPreview)
{
    TMainForm& f = openWithCentres();
    const QImage before = f.workspace().workingImage.copy();
    press(f);
    Mouse(f.tbOpacity, QEvent::MouseButtonPress, HandleCentre(f.tbOpacity, f.tbOpacity->value()), Qt::RightButton,
          Qt::LeftButton | Qt::RightButton);
    EXPECT_TRUE(f.previewShown());
    release(f);
    EXPECT_EQ(f.workspace().workingImage, before) << "no name is burnt in";
}

TEST_F(NamePreviewForm, ButtonPressedWhileTheSliderIsHeldTakesThePreviewAway)
{
    TMainForm& f = openWithCentres();
    press(f);
    ASSERT_TRUE(f.previewShown());
    ASSERT_TRUE(f.btnNames->isEnabled());
    f.btnNames->click();
    EXPECT_FALSE(f.previewShown());
    release(f);
    const QImage drawnWhileHeld = f.workspace().workingImage.copy();
    f.btnUndo->click();
    f.btnNames->click();
    EXPECT_EQ(f.workspace().workingImage, drawnWhileHeld) << "the names as drawn without a preview";

    press(f);
    f.btnClearAll->click();  // the image goes away under the preview
    release(f);
    EXPECT_TRUE(f.workspace().workingImage.isNull());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(NamePreviewForm, StaleCentresShowNothingButTheLabelFollows)
{
    TMainForm& f = openWithCentres();
    f.rdCenters->setItemIndex(1);
    ASSERT_FALSE(f.workspace().centersReady);
    const QImage before = f.workspace().workingImage.copy();
    const QPoint scrolled = position(f);
    press(f);
    EXPECT_FALSE(f.previewShown());
    f.tbOpacity->setValue(3);
    EXPECT_EQ(f.lbOpacity->text(), QString("Opacity: 24"));
    release(f);
    EXPECT_EQ(f.workspace().workingImage, before);
    EXPECT_EQ(position(f), scrolled);
}

TEST_F(NamePreviewForm, CustomListWithoutAListIsLoggedAtEveryPress)
{
    TMainForm& f = openWithCentres();
    f.rdSrc->setItemIndex(3);
    const QString logBefore = f.meRes->toPlainText();
    for (int i = 0; i < 2; ++i) {
        press(f);
        EXPECT_FALSE(f.previewShown());
        release(f);
    }
    EXPECT_EQ(f.meRes->toPlainText(),
              logBefore + "\nCustom list was not generated\nCustom list was not generated");
}

TEST_F(NamePreviewForm, PressAfterClearAllReadsNoSheet)
{
    TMainForm& f = openWithCentres();
    f.btnClearAll->click();
    f.workspace().centersReady = true;  // as after Calc for preview on the cleared records
    press(f);
    EXPECT_FALSE(f.previewShown());
    release(f);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(NamePreviewForm, DraggingWithTheLeftButtonScrollsByTheDragDistance)
{
    TMainForm& f = openWithCentres();
    scrollTo(f, 100, 100);
    QWidget* view = f.imgMap;
    Mouse(view, QEvent::MouseButtonPress, {400, 300}, Qt::LeftButton, Qt::LeftButton);
    Mouse(view, QEvent::MouseMove, {380, 270}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(position(f), QPoint(120, 130));
    // The grabbed point now lies 20 and 30 pixels further on in the image.
    Mouse(view, QEvent::MouseMove, {410, 340}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(position(f), QPoint(110, 90));
    Mouse(view, QEvent::MouseButtonRelease, {410, 340}, Qt::LeftButton, Qt::NoButton);
    Mouse(view, QEvent::MouseMove, {300, 200}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(position(f), QPoint(110, 90)) << "the release ends the drag";

    Mouse(view, QEvent::MouseButtonPress, {400, 300}, Qt::RightButton, Qt::RightButton);
    Mouse(view, QEvent::MouseMove, {350, 250}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(position(f), QPoint(110, 90)) << "the right button does not drag";
    Mouse(view, QEvent::MouseButtonRelease, {350, 250}, Qt::RightButton, Qt::NoButton);
}

TEST_F(NamePreviewForm, DragThroughTheWindowSystem)
{
    TMainForm& f = openWithCentres();
    scrollTo(f, 100, 100);
    QWindow* window = f.windowHandle();
    const QPoint start = f.scrBox->viewport()->mapTo(&f, QPoint(300, 200));
    QTest::mousePress(window, Qt::LeftButton, {}, start);
    QTest::mouseMove(window, start + QPoint(-40, -25));
    QTest::mouseRelease(window, Qt::LeftButton, {}, start + QPoint(-40, -25));
    EXPECT_EQ(position(f), QPoint(140, 125));
}

TEST_F(NamePreviewForm, DragPastTheEndsStopsThere)
{
    TMainForm& f = openWithCentres();
    scrollTo(f, 10, 10);
    Mouse(f.imgMap, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    Mouse(f.imgMap, QEvent::MouseMove, {300, 300}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(position(f), QPoint(0, 0));
    Mouse(f.imgMap, QEvent::MouseButtonRelease, {300, 300}, Qt::LeftButton, Qt::NoButton);
}

TEST_F(NamePreviewForm, CancelledFontDialogKeepsAChosenFont)
{
    TMainForm& f = open();
    QFont chosen("DejaVu Sans");
    chosen.setPixelSize(30);
    chosen.setBold(true);
    dialogs.fonts.push_back(chosen);
    f.btnFont->click();
    const NamesFont picked = f.namesFont();
    EXPECT_EQ(picked.height, -30);
    EXPECT_TRUE(picked.bold);
    f.btnFont->click();  // cancelled
    EXPECT_EQ(f.namesFont(), picked);
}

}  // namespace
