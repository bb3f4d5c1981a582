// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/panel/CustomListEdits.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
struct MapData;

// The Custom list dialog: one free name per sheet, generated from a field
// of the sheets and edited by hand or by the modify buttons.
class TCustomListForm final : public QDialog {
    Q_OBJECT
public:
    // `mapData` is the window's map records; errors of the buttons go to
    // `reportErrors`, which runs a handler and shows what it throws.
    TCustomListForm(const MapData& mapData, std::function<void(const std::function<void()>&)> reportErrors,
                    QWidget* parent = nullptr);

    // The text box as lines: an empty box has none, and a final line break
    // ends the last line rather than starting another.
    QStringList lines() const;
    void setLines(const QStringList& lines);

    QLabel* Label1;
    QPlainTextEdit* meList;
    QGroupBox* gpGenerate;
    QPushButton* btnNames;
    QPushButton* btnFiles;
    QPushButton* btnImg;
    QGroupBox* gpEdit;
    QPushButton* btnRemoveExt;
    QPushButton* btnCutLeft;
    QPushButton* btnCutRight;
    QPushButton* btnRemIdent;
    QPushButton* btnOk;
    QPushButton* btnCancel;

protected:
    // Escape has no meaning here: only the two buttons end the dialog.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void generate(ListField field);
    void modify(QStringList (*edit)(const QStringList&, qsizetype));
    void btnRemIdentClick();

    const MapData& data_;
    std::function<void(const std::function<void()>&)> reportErrors_;
};
