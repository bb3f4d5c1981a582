#include "ui/Dialogs.h"

#include "ui/CustomListFormUnit.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
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
