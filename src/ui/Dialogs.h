// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Progress.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;
class TCustomListForm;

// What the Publish dialog asks: the folder the web index goes to, where
// its links lead (empty: to the maps folder, relative to the page) and the
// catalogue joined to the sheets (empty: none).
struct PublishChoice {
    QString dir;
    QString linkBase;
    QString catalogue;
    bool thumbnails = true;
};

// Every modal dialog the windows show, behind one interface, so that a test
// can answer them without a modal loop.
class UiDialogs {
public:
    virtual ~UiDialogs() = default;

    // The standard error box.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // An existing folder, or nothing on cancel.
    virtual std::optional<QString> chooseDirectory(QWidget* parent, const QString& title, const QString& start) = 0;
    // A calibration file to open, or nothing on cancel. `preset` is the file
    // name the dialog opens with.
    virtual std::optional<QString> chooseMapFile(QWidget* parent, const QString& preset) = 0;
    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& current) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& current) = 0;
    // Shows the Custom list dialog modally; true for Ok.
    virtual bool runCustomList(TCustomListForm& dialog) = 0;
    // A file to write, or nothing on cancel; it may exist (the caller asks
    // before it replaces anything). `filters` are Qt name filters, the
    // first one chosen; a name typed without a suffix gets the chosen
    // filter's first. `suggested`, when given, is the file the dialog opens
    // with, in its folder.
    virtual std::optional<QString> chooseSaveFile(QWidget* parent, const QString& title, const QStringList& filters,
                                                  const QString& suggested) = 0;
    // A question with Yes and No, No the default; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& question) = 0;
    // A whole number from `min` to `max`, offered as `value`; nothing on cancel.
    virtual std::optional<int> askNumber(QWidget* parent, const QString& title, const QString& label, int value,
                                         int min, int max) = 0;
    // The Publish dialog, opened with `preset`; nothing on cancel.
    virtual std::optional<PublishChoice> choosePublish(QWidget* parent, const PublishChoice& preset) = 0;
    // A progress dialog for a long step, shown once the step has taken half
    // a second, closed when the returned function is destroyed; the function
    // answers false once Cancel was pressed.
    virtual ProgressFunction showProgress(QWidget* parent) = 0;
};

// The Qt dialogs themselves.
class QtDialogs final : public UiDialogs {
public:
    void showError(QWidget* parent, const QString& text) override;
    std::optional<QString> chooseDirectory(QWidget* parent, const QString& title, const QString& start) override;
    std::optional<QString> chooseMapFile(QWidget* parent, const QString& preset) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& current) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& current) override;
    bool runCustomList(TCustomListForm& dialog) override;
    std::optional<QString> chooseSaveFile(QWidget* parent, const QString& title, const QStringList& filters,
                                          const QString& suggested) override;
    bool askYesNo(QWidget* parent, const QString& question) override;
    std::optional<int> askNumber(QWidget* parent, const QString& title, const QString& label, int value, int min,
                                 int max) override;
    std::optional<PublishChoice> choosePublish(QWidget* parent, const PublishChoice& preset) override;
    ProgressFunction showProgress(QWidget* parent) override;
};

// The filter of the open dialog: ".map" in any letter case.
QString MapFileFilter();
