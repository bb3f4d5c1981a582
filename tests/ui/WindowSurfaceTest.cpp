// SPDX-License-Identifier: GPL-3.0-or-later
// What a newcomer meets before any step: captions that fit, a tooltip on
// every control, and save dialogs that start where the index map is.

#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "ui/SuggestedFile.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

namespace {

QString NameOf(QWidget* w) { return w->objectName().isEmpty() ? w->parentWidget()->objectName() : w->objectName(); }

// Every caption of `window` wider than the room its control leaves it, as
// "name: caption (N px)".
QStringList ClippedCaptions(QWidget* window)
{
    QStringList clipped;
    const auto check = [&](QWidget* w, const QString& text, int room) {
        const int over = QFontMetrics(w->font()).horizontalAdvance(text) - room;
        if (over > 0)
            clipped.append(QStringLiteral("%1: %2 (%3 px)").arg(NameOf(w), text).arg(over));
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        w->ensurePolished();
        QStyle* style = w->style();
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            // Centred inside the frame, with the style's margin kept.
            check(button, button->text(), button->width() - style->pixelMetric(QStyle::PM_ButtonMargin) -
                                              2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth));
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* box = static_cast<QAbstractButton*>(w);
            QStyleOptionButton option;
            option.initFrom(box);
            const auto element = qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
            check(box, box->text(), style->subElementRect(element, &option, box).width());
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            // A mnemonic's marker takes no room.
            QString text = label->text();
            text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
            check(label, text, label->contentsRect().width() - 2 * label->margin());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect title = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
            // The blanks around " Center names " only pad it.
            check(group, group->title().trimmed(), title.intersected(group->rect()).width());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const int field = style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width();
            for (int i = 0; i < combo->count(); ++i)
                check(combo, combo->itemText(i), field - (combo->itemIcon(i).isNull() ? 0 : combo->iconSize().width() + 4));
        }
    }
    return clipped;
}

// Every caption fits its control at the design size. Every control has a
// tooltip of one sentence, read out as its description; the window's two
// original hints keep their words. Scroll bars belong to their boxes.
TEST_F(UiFixture, EveryCaptionFitsAndEveryControlHasATooltipThatIsItsDescription)
{
    TMainForm& f = open();
    f.btnList->click();  // creates the dialog; the fake cancels it
    EXPECT_EQ(ClippedCaptions(&f) + ClippedCaptions(f.customListForm()), QStringList());
    int controls = 0;
    for (QWidget* w : f.findChildren<QWidget*>() + f.customListForm()->findChildren<QWidget*>()) {
        if (qobject_cast<QScrollBar*>(w) ||
            !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
              qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractSlider*>(w) || qobject_cast<QAbstractSpinBox*>(w)))
            continue;
        ++controls;
        EXPECT_EQ(w->toolTip(), w->accessibleDescription()) << NameOf(w).toStdString();
        const bool kept = w == f.btnFontColor || w == f.btnClearAll;
        EXPECT_TRUE(w->toolTip().endsWith(u'.') != kept && !w->toolTip().isEmpty()) << NameOf(w).toStdString();
    }
    EXPECT_GE(controls, 45);
    EXPECT_EQ(f.btnFontColor->toolTip(), QStringLiteral("Font color"));
    EXPECT_EQ(f.btnClearAll->toolTip(), QStringLiteral("Including calculatings and image"));
}

// The Publish dialog itself: its captions fit, each control is named and
// described for a screen reader, and it opens with the catalogue it is
// given and gives back the one typed, trimmed.
TEST(PublishDialog, NamesEveryControlAndGivesBackTheCatalogue)
{
    QStringList problems;
    QString shownCatalogue;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        problems = ClippedCaptions(dialog);
        for (const char* name : {"edPublishDir", "btnPublishDir", "edPublishLinks", "edCatalogue", "btnCatalogue"}) {
            const QWidget* w = dialog->findChild<QWidget*>(name);
            if (!w || w->accessibleName().isEmpty() || !w->toolTip().endsWith(u'.') ||
                w->toolTip() != w->accessibleDescription())
                problems.append(name);
        }
        auto* catalogue = dialog->findChild<QLineEdit*>("edCatalogue");
        shownCatalogue = catalogue->text();
        catalogue->setText(" /lib/Каталог 2.csv ");
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    const auto choice = QtDialogs().choosePublish(nullptr, {"/tmp/web", "", "/lib/old.csv"});
    EXPECT_EQ(problems, QStringList());
    EXPECT_EQ(shownCatalogue, "/lib/old.csv");
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->catalogue, "/lib/Каталог 2.csv");
    EXPECT_EQ(choice->dir, "/tmp/web");
}

TEST(SuggestedFile, FallsBackFromTheIndexMapToTheMapsFolder)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("maps");
    for (QStringList row : testfiles::Rows("suggested-files.txt")) {
        row.replaceInStrings("{dir}", dir.path());
        EXPECT_EQ(SuggestedFile(row[0], row[1], ".geojson", row[2] == "yes"), row[3]) << row[0].toStdString();
    }
}

}  // namespace
