// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "New…" beside the index map box, its Export group and
// the sheets under the pointer.

#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/ImageView.h"
#include "ui/MainFormUnit.h"
#include "ui/SuggestedFile.h"
#include "ui/RadioGroup.h"
#include "ui/SheetPointer.h"
#include "ui/WindowWidgets.h"
#include "workflow/export/ExportSheetIndex.h"
#include "workflow/newindex/MakeIndexMap.h"
#include "workflow/panel/SaveAs.h"
#include "workflow/web/PublishWeb.h"
#include "workflow/web/SheetHits.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

#include <optional>

namespace {

constexpr int kExportTop = 978;
constexpr int kExportHeight = 118;

// Asks before any of `files` is replaced: nothing when the user declines,
// else whether one of them exists.
std::optional<bool> MayReplace(UiDialogs& dialogs, QWidget* parent, const QStringList& files)
{
    QStringList existing;
    for (const QString& file : files) {
        if (QFileInfo::exists(file))
            existing.append(QFileInfo(file).fileName());
    }
    if (existing.isEmpty())
        return false;
    if (!dialogs.askYesNo(parent, QStringLiteral("Replace the existing %1?").arg(existing.join(QStringLiteral(" and ")))))
        return std::nullopt;
    return true;
}

}  // namespace

void TMainForm::buildIndexTools()
{
    btnNewIndexMap = Button(QStringLiteral("New…"), "btnNewIndexMap", this, {597, 31, 42, 21}, false);
    btnNewIndexMap->setAccessibleName(QStringLiteral("Make a new index map"));

    QWidget* content = scrBoxCmd->widget();
    content->setFixedHeight(kExportTop + kExportHeight);
    gpExport = Group(QStringLiteral("Export"), "gpExport", content, kExportTop, kExportHeight);
    btnExport = CommandButton(QStringLiteral("Export…"), "btnExport", gpExport, 19);
    btnExport->setAccessibleName(QStringLiteral("Export the sheet index"));

    btnSaveAs = CommandButton(QStringLiteral("Save as…"), "btnSaveAs", gpExport, 50);
    btnSaveAs->setAccessibleName(QStringLiteral("Save as another index map"));
    btnPublish = CommandButton(QStringLiteral("Publish…"), "btnPublish", gpExport, 81);
    btnPublish->setAccessibleName(QStringLiteral("Publish a web index"));

    new TSheetPointer(
        imgMap, ws_.data, [this] { return rdSrc->itemIndex(); },
        [this](std::size_t sheet) {
            handle([this, sheet] {
                const QString image = FindSheetImage(ws_, edMapsDir->text(), sheet);
                if (!image.isEmpty())
                    QDesktopServices::openUrl(QUrl::fromLocalFile(image));
            });
        });
}

void TMainForm::btnNewIndexMapClick()
{
    // Beside the maps folder, not in it: Analyze would take the new index
    // map for one more sheet.
    const auto file = dialogs_->chooseSaveFile(
        this, QStringLiteral("New index map"), {QStringLiteral("OziExplorer map file (*.map)")},
        SuggestedFile(edBlankMapFile->text(), edMapsDir->text(), QStringLiteral("-new.map"), true));
    if (!file)
        return;
    const auto replacing = MayReplace(*dialogs_, this, {*file, IndexImagePath(*file)});
    if (!replacing)
        return;
    const auto width = dialogs_->askNumber(this, QStringLiteral("New index map"), QStringLiteral("Width in pixels:"),
                                           kDefaultIndexMapWidth, kMinIndexMapWidth, kMaxIndexMapSide);
    if (!width)
        return;
    const ProgressFunction progress = dialogs_->showProgress(this);
    const BusyCursor busy;
    if (MakeIndexMap(ws_, edMapsDir->text(), *file, *width, *replacing, progress) != StepOutcome::Completed)
        return;
    // Nothing drawn on the old overview may be saved or published under the
    // new one: the session starts afresh, Analyze next.
    btnClearAllClick();
    edBlankMapFile->setText(*file);
}

void TMainForm::btnExportClick()
{
    const auto file = dialogs_->chooseSaveFile(
        this, QStringLiteral("Export sheet index"),
        {QStringLiteral("GeoJSON (*.geojson *.json)"), QStringLiteral("KML (*.kml)")},
        SuggestedFile(edBlankMapFile->text(), edMapsDir->text(), QStringLiteral(".geojson")));
    if (!file)
        return;
    if (!MayReplace(*dialogs_, this, {*file}))
        return;
    const BusyCursor busy;
    ExportSheetIndex(ws_, *file, lineColor());
}

void TMainForm::btnSaveAsClick()
{
    const auto file = dialogs_->chooseSaveFile(this, QStringLiteral("Save as"), {QStringLiteral("JPEG image (*.jpg *.jpeg)")},
                                               SuggestedFile(edBlankMapFile->text(), edMapsDir->text(), QStringLiteral("-index.jpg")));
    if (!file)
        return;
    if (!MayReplace(*dialogs_, this, {*file, CalibrationFileFor(*file)}))
        return;
    const BusyCursor busy;
    SaveAs(ws_, *file);
}

void TMainForm::btnPublishClick()
{
    // First beside the index map, in a folder of its own.
    if (lastPublish_.dir.isEmpty() && !edBlankMapFile->text().isEmpty())
        lastPublish_.dir = QFileInfo(edBlankMapFile->text()).dir().filePath(QStringLiteral("web"));
    const auto choice = dialogs_->choosePublish(this, lastPublish_);
    if (!choice)
        return;
    lastPublish_ = *choice;
    const bool holdsFiles = FolderHoldsFiles(choice->dir);
    if (holdsFiles &&
        !dialogs_->askYesNo(this, QStringLiteral("%1 is not empty. Write the web index into it anyway?").arg(choice->dir)))
        return;
    const WebIndexOptions options{choice->dir, edMapsDir->text(), choice->linkBase,   holdsFiles,
                                  rdSrc->itemIndex(), choice->catalogue, choice->thumbnails,
                                  dialogs_->showProgress(this)};
    const BusyCursor busy;
    PublishWeb(ws_, options);
}
