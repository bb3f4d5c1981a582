// The window's New… and Export… buttons, their dialogs answered in advance.

#include "UiFixture.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

TEST_F(UiFixture, NewMakesTheIndexMapAndExportFollowsClearAll)
{
    TMainForm& f = open();
    f.edMapsDir->setText(TESSARINE_DEMO "/maps");
    dialogs.saveFiles = {dir.filePath("new.map"), dir.filePath("new.map"), dir.filePath("sheets.geojson")};

    f.btnNewIndexMap->click();
    EXPECT_EQ(f.edBlankMapFile->text(), dir.filePath("new.map"));
    f.btnNewIndexMap->click();  // asked, answered No
    EXPECT_EQ(dialogs.questions, QStringList{"Replace the existing new.map and new.jpg?"});

    EXPECT_FALSE(f.btnExport->isEnabled());
    f.btnAnalyze->click();
    ASSERT_TRUE(f.btnExport->isEnabled());
    f.btnExport->click();
    EXPECT_TRUE(QFileInfo(dir.filePath("sheets.geojson")).isFile());
    f.btnClearAll->click();
    EXPECT_FALSE(f.btnExport->isEnabled());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(u'\n').toStdString();
}

}  // namespace
