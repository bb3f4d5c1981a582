// SPDX-License-Identifier: GPL-3.0-or-later
// What a newcomer meets before any step: captions that fit, a tooltip on
// every control, the wait cursor while work runs, a coverage log of
// readable length, and save dialogs that start where the index map is.

#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "ui/SuggestedFile.h"
#include "ui/TCTrackBar.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace {

// How far `text` reaches past the room `w` gives it, in pixels; 0 or less
// when it fits.
int Overflow(QWidget* w, const QString& text, int room)
{
    return QFontMetrics(w->font()).horizontalAdvance(text) - room;
}

// Every caption of `window` that is wider than its control leaves it room,
// as "name: caption (N px too wide)".
QStringList ClippedCaptions(QWidget* window)
{
    QStringList clipped;
    const auto check = [&](QWidget* w, const QString& text, int room) {
        const int over = Overflow(w, text, room);
        if (!text.isEmpty() && over > 0)
            clipped.append(QStringLiteral("%1: %2 (%3 px too wide)")
                               .arg(w->objectName().isEmpty() ? w->parentWidget()->objectName() : w->objectName(), text)
                               .arg(over));
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        w->ensurePolished();
        QStyle* style = w->style();
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            // The label is drawn centred inside the frame and the margin the
            // style keeps on either side.
            const int room = button->width() - style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) -
                             2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
            check(button, button->text(), room);
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* box = static_cast<QAbstractButton*>(w);
            QStyleOptionButton option;
            option.initFrom(box);
            const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
            const QRect text = style->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents,
                                                     &option, box);
            check(box, box->text(), text.width());
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            check(label, label->text(), label->contentsRect().width() - 2 * label->margin());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.textAlignment = group->alignment();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect title = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
            // The blanks around " Center names " only pad it.
            check(group, group->title().trimmed(), title.intersected(group->rect()).width());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect field = style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i) {
                const int icon = combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4;
                check(combo, combo->itemText(i), field.width() - icon);
            }
        }
    }
    return clipped;
}

// The controls a user works: buttons of every kind, lists, edit boxes,
// the spin box and the slider (scroll bars belong to their boxes).
QList<QWidget*> Controls(QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (qobject_cast<QScrollBar*>(w))
            continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
            qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractSlider*>(w) || qobject_cast<QAbstractSpinBox*>(w))
            controls.append(w);
    }
    return controls;
}

class Surface : public UiFixture {
protected:
    // The fixture's two sheets on a 10 x 10 degree index map with its
    // overview, analysed.
    TMainForm& analyzed()
    {
        const QString maps = makeDemo(2);
        QImage overview(1000, 800, QImage::Format_RGB32);
        overview.fill(Qt::white);
        testfiles::Write(dir.filePath("index.jpg"), EncodeJpeg(overview));
        TMainForm& f = open();
        f.edMapsDir->setText(maps);
        f.edBlankMapFile->setText(indexFile);
        f.btnAnalyze->click();
        return f;
    }
    TMainForm& calculated()
    {
        TMainForm& f = analyzed();
        f.btnLoadImage->click();
        f.btnCalc->click();
        EXPECT_TRUE(f.btnDrawMissing->isEnabled());
        return f;
    }

    // The shape of the override cursor when `button`'s handler first lets
    // the window repaint (right after its first log line); none when the
    // handler never does so.
    static std::optional<Qt::CursorShape> cursorAtFirstLine(QPushButton* button)
    {
        std::optional<Qt::CursorShape> seen;
        bool looked = false;
        QTimer::singleShot(0, button, [&] {
            looked = true;
            if (const QCursor* cursor = QGuiApplication::overrideCursor())
                seen = cursor->shape();
        });
        button->click();
        EXPECT_TRUE(looked) << button->objectName().toStdString() << " let no event through";
        QCoreApplication::processEvents();
        return seen;
    }
};

TEST_F(Surface, EveryCaptionFitsItsControlAtTheDesignSize)
{
    TMainForm& f = open();
    f.btnList->click();  // creates the dialog; the fake cancels it
    ASSERT_NE(f.customListForm(), nullptr);
    EXPECT_EQ(ClippedCaptions(&f), QStringList());
    EXPECT_EQ(ClippedCaptions(f.customListForm()), QStringList());
}

// One sentence each, read out as the control's description; the window's
// two original hints keep their words.
TEST_F(Surface, EveryControlHasATooltipThatIsItsDescription)
{
    TMainForm& f = open();
    f.btnList->click();
    QList<QWidget*> controls = Controls(&f) + Controls(f.customListForm());
    EXPECT_GE(controls.size(), 50);
    for (QWidget* w : controls) {
        const QString name = w->objectName().isEmpty() ? w->parentWidget()->objectName() : w->objectName();
        EXPECT_FALSE(w->toolTip().isEmpty()) << name.toStdString();
        EXPECT_EQ(w->toolTip(), w->accessibleDescription()) << name.toStdString();
        if (w != f.btnFontColor && w != f.btnClearAll) {
            EXPECT_TRUE(w->toolTip().endsWith(u'.')) << name.toStdString();
        }
    }
    EXPECT_EQ(f.btnFontColor->toolTip(), QStringLiteral("Font color"));
    EXPECT_EQ(f.btnClearAll->toolTip(), QStringLiteral("Including calculatings and image"));
}

// The wait cursor shows from the first log line of every long step and is
// gone when the step ends, also when it ends in the error box; no dialog
// ever shows under it.
TEST_F(Surface, TheWaitCursorShowsWhileAStepRunsAndNeverOutlivesIt)
{
    TMainForm& f = analyzed();
    for (QPushButton* b : {f.btnLoadImage, f.btnCalc, f.btnDraw, f.btnCalcNames, f.btnNames, f.btnSave}) {
        ASSERT_TRUE(b->isEnabled()) << b->objectName().toStdString();
        if (b == f.btnDraw) {  // quick: it lets nothing through
            b->click();
            continue;
        }
        EXPECT_EQ(cursorAtFirstLine(b), Qt::WaitCursor) << b->objectName().toStdString();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << b->objectName().toStdString();
    }
    dialogs.saveFiles = {dir.filePath("sheets.kml"), dir.filePath("new.map")};
    dialogs.numbers = {400};
    EXPECT_EQ(cursorAtFirstLine(f.btnExport), Qt::WaitCursor);
    EXPECT_EQ(cursorAtFirstLine(f.btnNewIndexMap), Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    f.btnClearAll->click();
    QDir(f.edMapsDir->text()).mkdir("old.map");  // a folder taken as a sheet: Analyze fails
    f.btnAnalyze->click();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(dialogs.busyDialogs, 0);
}

// 600 cells of 1:100,000 lie inside and none is held: the log names 500.
TEST_F(Surface, CoverageNamesFiveHundredCellsAndCountsTheRest)
{
    TMainForm& f = calculated();
    f.cbCoverageScale->setCurrentIndex(f.cbCoverageScale->findData(100000));
    f.btnCoverage->click();
    const QStringList log = f.meRes->toPlainText().split(u'\n');
    const qsizetype first = log.indexOf(QStringLiteral("600 sheets missing")) + 1;
    ASSERT_GT(first, 0);
    EXPECT_EQ(log.mid(first, 501).filter(QRegularExpression("^\\.\\.\\.[A-Z]-")).size(), 500);
    EXPECT_EQ(log.value(first + 500), QStringLiteral("...and 100 more"));
}

// 9,600 missing cells of 1:25,000 are drawn only when the user says so; a
// few hundred are drawn without a question.
TEST_F(Surface, DrawMissingSheetsAsksBeforeDrawingThousands)
{
    TMainForm& f = calculated();
    const QImage before = f.workspace().workingImage;
    f.cbCoverageScale->setCurrentIndex(f.cbCoverageScale->findData(25000));
    f.btnDrawMissing->click();  // answered No
    EXPECT_EQ(dialogs.questions, QStringList{"Draw all 9600 missing sheets?"});
    EXPECT_EQ(f.workspace().workingImage, before);
    EXPECT_FALSE(f.btnUndo->isEnabled());

    f.cbCoverageScale->setCurrentIndex(f.cbCoverageScale->findData(100000));
    f.btnDrawMissing->click();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_NE(f.workspace().workingImage, before);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(dialogs.busyDialogs, 0);
}

// Export… and New… start beside the index map, named after it; New… asks
// for the width with the batch tool's default.
TEST_F(Surface, SaveDialogsStartBesideTheIndexMapAndNewAsksTheWidth)
{
    const QString maps = makeDemo(1);
    TMainForm& f = open();
    f.edMapsDir->setText(maps + "/");
    f.edBlankMapFile->setText(indexFile);
    f.btnAnalyze->click();
    f.btnExport->click();
    f.btnNewIndexMap->click();  // cancelled at the file
    dialogs.saveFiles = {dir.filePath("made.map")};
    dialogs.numbers = {std::nullopt};
    f.btnNewIndexMap->click();  // cancelled at the width
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("made.map")));
    dialogs.saveFiles = {dir.filePath("made.map")};
    dialogs.numbers = {600};
    f.btnNewIndexMap->click();
    EXPECT_EQ(dialogs.suggestedFiles,
              (QStringList{dir.filePath("index.geojson"), dir.filePath("index-new.map"), dir.filePath("index-new.map"),
                           dir.filePath("index-new.map")}));
    EXPECT_EQ(dialogs.numbersAsked, (QStringList{"Width in pixels: 4000", "Width in pixels: 4000"}));
    EXPECT_EQ(QImage(dir.filePath("made.jpg")).width(), 600);
}

// Where the dialogs start when a box is empty or names nothing that exists.
TEST(SuggestedFile, FallsBackFromTheIndexMapToTheMapsFolder)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("maps");
    const QString maps = dir.filePath("maps") + "/";
    const QString index = dir.filePath("overview.map");
    const struct {
        QString index;
        QString maps;
        bool beside;
        QString suggested;
    } rows[] = {
        {index, maps, false, dir.filePath("overview.geojson")},
        {"/no/such/folder/overview.map", maps, false, dir.filePath("maps/overview.geojson")},
        {"", maps, false, dir.filePath("maps/maps.geojson")},
        {"", maps, true, dir.filePath("maps.geojson")},
        {"", "", false, "index.geojson"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SuggestedFile(row.index, row.maps, ".geojson", row.beside), row.suggested) << row.index.toStdString();
}

}  // namespace
