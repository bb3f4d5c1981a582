// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPrint.h"
#include "UiFixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class CustomListForm : public UiFixture {
protected:
    TMainForm& openWithSheets(const QStringList& names)
    {
        TMainForm& f = open();
        for (const QString& name : names) {
            TSingleMap map;
            map.MapName = name;
            map.FileName = name + ".map";
            map.ImageFile = name + ".jpg";
            f.workspace().data.Maps.push_back(map);
        }
        return f;
    }

    // Opens the dialog, lets `user` act in it, and closes it with Ok or Cancel.
    void run(TMainForm& f, const std::function<void(TCustomListForm&)>& user, bool ok)
    {
        dialogs.customList = [&](TCustomListForm& d) {
            user(d);
            return ok;
        };
        f.btnList->click();
    }

    static void type(TCustomListForm& d, const QString& text) { d.meList->setPlainText(text); }
};

// The dialog's buttons reach the edits; what each edit does is the
// workflow's business. Remove all identic waits for a generated list.
TEST_F(CustomListForm, ButtonsEditTheLinesAndAShortListIsReported)
{
    TMainForm& f = openWithSheets({"N-37-001", "N-37-002", "N-37-003"});
    run(f, [this](TCustomListForm& d) {
        EXPECT_FALSE(d.btnRemIdent->isEnabled());
        d.btnImg->click();
        EXPECT_EQ(d.lines().first(), QString("N-37-001.jpg"));
        d.btnFiles->click();
        d.btnRemoveExt->click();
        EXPECT_EQ(d.lines(), (QStringList{"N-37-001", "N-37-002", "N-37-003"}));
        EXPECT_TRUE(d.btnRemIdent->isEnabled());
        d.btnRemIdent->click();
        EXPECT_EQ(d.lines(), (QStringList{"1", "2", "3"}));
        type(d, "abc\nde\nf");
        d.btnCutLeft->click();
        d.btnCutRight->click();
        EXPECT_EQ(d.lines(), (QStringList{"b", "", ""}));
        EXPECT_TRUE(dialogs.errors.isEmpty());
        type(d, "abc\ndef");  // fewer lines than sheets: reported, nothing changes
        d.btnCutLeft->click();
        EXPECT_EQ(d.meList->toPlainText(), QString("abc\ndef"));
    }, false);
    EXPECT_EQ(dialogs.errors, QStringList{"List index out of bounds (2)"});
}

}  // namespace
