// The window's New… and Export… buttons, their dialogs answered in advance.

#include "ui/Dialogs.h"
#include "ui/MainFormUnit.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Save dialogs answered in turn, questions answered No, the rest cancelled.
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
        return files.isEmpty() ? std::nullopt : std::optional<QString>(files.takeFirst());
    }
    bool askYesNo(QWidget*, const QString& question) override { return questions.append(question), false; }
    QStringList files, errors, questions;
};

TEST(IndexToolsWindow, NewMakesTheIndexMapAndExportFollowsClearAll)
{
    QTemporaryDir dir;
    SaveDialogs dialogs;
    TMainForm form(dir.filePath("tessarine.ini"), &dialogs);
    form.edMapsDir->setText(TESSARINE_DEMO "/maps");
    dialogs.files = {dir.filePath("new.map"), dir.filePath("new.map"), dir.filePath("sheets.geojson")};

    form.btnNewIndexMap->click();
    EXPECT_EQ(form.edBlankMapFile->text(), dir.filePath("new.map"));
    form.btnNewIndexMap->click();  // asked, answered No
    EXPECT_EQ(dialogs.questions, QStringList{"Replace the existing new.map and new.jpg?"});

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
