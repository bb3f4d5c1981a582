// SPDX-License-Identifier: GPL-3.0-or-later
// The real Publish dialog's "Thumbnails of the sheets" box, and the progress
// dialog of a long step: shown once it has taken half a second, its Cancel
// answered at the next report.

#include "ui/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(PublishDialogTest, ThumbnailsBoxComesPresetAndItsAnswerBack)
{
    QWidget parent;
    QtDialogs dialogs;
    for (const bool preset : {true, false}) {
        QTimer::singleShot(0, [preset] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("chkThumbnails"));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isChecked(), preset);
            EXPECT_FALSE(box->accessibleName().isEmpty());
            EXPECT_FALSE(box->toolTip().isEmpty());
            box->setChecked(!preset);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        const auto choice = dialogs.choosePublish(&parent, {QStringLiteral("/tmp/web"), QString(), QString(), preset});
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->thumbnails, !preset);
        EXPECT_EQ(choice->dir, QStringLiteral("/tmp/web"));
    }
}

TEST(PublishDialogTest, ProgressShowsAfterHalfASecondAndCancelStops)
{
    QWidget parent;
    parent.show();
    QtDialogs dialogs;
    {
        const ProgressFunction progress = dialogs.showProgress(&parent);
        EXPECT_TRUE(progress("Making the overview's tiles", 0, 100));
        auto* shown = parent.findChild<QProgressDialog*>(QStringLiteral("dlgProgress"));
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(shown->isVisible()) << "not before half a second";
        QTest::qWait(700);
        EXPECT_TRUE(progress("Making the overview's tiles", 50, 100));
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(shown->labelText(), QStringLiteral("Making the overview's tiles…"));
        shown->cancel();
        EXPECT_FALSE(progress("Making the overview's tiles", 60, 100));
    }
    EXPECT_EQ(parent.findChild<QProgressDialog*>(), nullptr) << "gone with its function";
}

}  // namespace
