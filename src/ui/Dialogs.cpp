// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Dialogs.h"

#include "ui/CustomListFormUnit.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

QString MapFileFilter() { return QStringLiteral("OziExplorer map file (*.[mM][aA][pP])"); }

void QtDialogs::showError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

std::optional<QString> QtDialogs::chooseDirectory(QWidget* parent, const QString& title, const QString& start)
{
    // Qt's own dialog: the platform ones cannot all hide "new folder", and
    // ReadOnly is what hides it in Qt's.
    const QString dir = QFileDialog::getExistingDirectory(
        parent, title, start,
        QFileDialog::ShowDirsOnly | QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog);
    if (dir.isEmpty())
        return std::nullopt;
    return dir;
}

std::optional<QString> QtDialogs::chooseMapFile(QWidget* parent, const QString& preset)
{
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(MapFileFilter());
    if (!preset.isEmpty())
        dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QFont> QtDialogs::chooseFont(QWidget* parent, const QFont& current)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, current, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QColor> QtDialogs::chooseColor(QWidget* parent, const QColor& current)
{
    const QColor color = QColorDialog::getColor(current, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

bool QtDialogs::runCustomList(TCustomListForm& dialog) { return dialog.exec() == QDialog::Accepted; }

namespace {

// "*.geojson" of "GeoJSON (*.geojson *.json)".
QString FirstSuffix(const QString& filter)
{
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0)
        return QString();
    qsizetype end = star + 2;
    while (end < filter.size() && filter[end].isLetterOrNumber())
        ++end;
    return filter.mid(star + 2, end - star - 2);
}

}  // namespace

std::optional<QString> QtDialogs::chooseSaveFile(QWidget* parent, const QString& title, const QStringList& filters,
                                                 const QString& suggested)
{
    QFileDialog dialog(parent, title);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.setDefaultSuffix(FirstSuffix(filters.constFirst()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(FirstSuffix(filter)); });
    if (!suggested.isEmpty()) {
        const QFileInfo file(suggested);
        if (file.isAbsolute())
            dialog.setDirectory(file.absolutePath());
        dialog.selectFile(file.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& question)
{
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

std::optional<int> QtDialogs::askNumber(QWidget* parent, const QString& title, const QString& label, int value, int min,
                                        int max)
{
    bool ok = false;
    const int number = QInputDialog::getInt(parent, title, label, value, min, max, 1, &ok);
    if (!ok)
        return std::nullopt;
    return number;
}
