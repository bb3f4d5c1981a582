// The window's New… and Export… buttons, their dialogs answered in advance.

#include "ui/Dialogs.h"
#include "ui/MainFormUnit.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>

namespace {

// Every other dialog cancels, as FakeDialogs' do without answers.
class SaveDialogs final : public UiDialogs {
public:
    void showError(QWidget*, const QString& text) override { errors.append(text); }
    std::optional<QString> chooseDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseMapFile(QWidget*, const QString&) override { return {}; }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return {}; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return {}; }
    bool runCustomList(TCustomListForm&) override { return false; }
    std::optional<QString> chooseSaveFile(QWidget*, const QString&, const QStringList&) override
    {
        if (files.empty())
            return {};
        const QString file = files.front();
        files.pop_front();
        return file;
    }
    bool askYesNo(QWidget*, const QString& question) override
    {
        questions.append(question);
        return false;
    }
    std::deque<QString> files;
    QStringList errors, questions;
};

TEST(IndexToolsWindow, NewMakesTheIndexMapAndExportFollowsClearAll)
{
    QTemporaryDir dir;
    SaveDialogs dialogs;
    TMainForm form(dir.filePath("tessarine.ini"), &dialogs);
    EXPECT_FALSE(form.btnNewIndexMap->accessibleName().isEmpty());
    EXPECT_FALSE(form.btnExport->accessibleName().isEmpty());
    form.edMapsDir->setText(TESSARINE_DEMO "/maps");
    dialogs.files = {dir.filePath("new.map"), dir.filePath("new.map"), dir.filePath("sheets.geojson")};

    form.btnNewIndexMap->click();
    EXPECT_EQ(form.edBlankMapFile->text(), dir.filePath("new.map"));
    const auto made = QFileInfo(dir.filePath("new.jpg")).lastModified();
    form.btnNewIndexMap->click();  // asked, answered No
    EXPECT_EQ(dialogs.questions, QStringList{"Replace the existing new.map and new.jpg?"});
    EXPECT_EQ(QFileInfo(dir.filePath("new.jpg")).lastModified(), made);

    EXPECT_FALSE(form.btnExport->isEnabled());
    form.btnAnalyze->click();
    ASSERT_TRUE(form.btnExport->isEnabled());
    form.btnExport->click();
    EXPECT_TRUE(QFileInfo(dir.filePath("sheets.geojson")).isFile());
    form.btnClearAll->click();
    EXPECT_FALSE(form.btnExport->isEnabled());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
}

}  // namespace
