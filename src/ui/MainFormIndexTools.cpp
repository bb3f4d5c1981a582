// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "New…" beside the index map box and its Export group.

#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/MainFormUnit.h"
#include "ui/SuggestedFile.h"
#include "ui/WindowWidgets.h"
#include "workflow/export/ExportSheetIndex.h"
#include "workflow/newindex/MakeIndexMap.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

namespace {

constexpr int kExportTop = 978;
constexpr int kExportHeight = 56;

// The files of `files` that exist, for the question before they are replaced.
QStringList Existing(const QStringList& files)
{
    QStringList found;
    for (const QString& file : files) {
        if (QFileInfo::exists(file))
            found.append(QFileInfo(file).fileName());
    }
    return found;
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

    connect(btnNewIndexMap, &QPushButton::clicked, this, [this] { handle([this] { btnNewIndexMapClick(); }); });
    connect(btnExport, &QPushButton::clicked, this, [this] { handle([this] { btnExportClick(); }); });
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
    const QStringList existing = Existing({*file, IndexImagePath(*file)});
    if (!existing.isEmpty() &&
        !dialogs_->askYesNo(this, QStringLiteral("Replace the existing %1?").arg(existing.join(QStringLiteral(" and ")))))
        return;
    const auto width = dialogs_->askNumber(this, QStringLiteral("New index map"), QStringLiteral("Width in pixels:"),
                                           kDefaultIndexMapWidth, kMinIndexMapWidth, kMaxIndexMapSide);
    if (!width)
        return;
    const BusyCursor busy;
    if (MakeIndexMap(ws_, edMapsDir->text(), *file, *width, !existing.isEmpty()) == StepOutcome::Completed)
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
    const QStringList existing = Existing({*file});
    if (!existing.isEmpty() && !dialogs_->askYesNo(this, QStringLiteral("Replace the existing %1?").arg(existing.first())))
        return;
    const BusyCursor busy;
    ExportSheetIndex(ws_, *file, lineColor());
}
