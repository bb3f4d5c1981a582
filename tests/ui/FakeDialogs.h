// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/CustomListFormUnit.h"
#include "ui/Dialogs.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QStringList>

#include <deque>
#include <functional>

// Answers the windows' dialogs with pre-set answers and records what was
// asked, so that no modal dialog ever waits for a person.
class FakeDialogs final : public UiDialogs {
public:
    void showError(QWidget*, const QString& text) override
    {
        errors.append(text);
        busyDialogs += busy();
    }
    std::optional<QString> chooseDirectory(QWidget*, const QString& title, const QString& start) override
    {
        return next("folder: " + title + "|" + start, directories);
    }
    std::optional<QString> chooseMapFile(QWidget*, const QString& preset) override { return next("map file: " + preset, mapFiles); }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return next("font", fonts); }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return next("colour", colors); }
    bool runCustomList(TCustomListForm& dialog) override
    {
        shown.append(("custom list: " + dialog.lines().join(u'|')).trimmed());
        return customList ? customList(dialog) : false;
    }
    std::optional<QString> chooseSaveFile(QWidget*, const QString&, const QStringList&, const QString& suggested) override
    {
        return next("save: " + suggested, saveFiles);
    }
    bool askYesNo(QWidget*, const QString& question) override { return next("question: " + question, yes).value_or(false); }
    std::optional<int> askNumber(QWidget*, const QString&, const QString& label, int value, int, int) override
    {
        return next(QStringLiteral("number: %1 %2").arg(label).arg(value), numbers).value_or(value);
    }
    std::optional<PublishChoice> choosePublish(QWidget*, const PublishChoice& preset) override
    {
        const QString catalogue = preset.catalogue.isEmpty() ? QString() : "|" + preset.catalogue;
        return next("publish: " + preset.dir + "|" + preset.linkBase + catalogue + (preset.thumbnails ? "" : "|no thumbnails"),
                    publishes);
    }
    // Cancels once half the work is reported done, when told to.
    ProgressFunction showProgress(QWidget*) override
    {
        return [this](const QString& what, qint64 done, qint64 total) {
            if (!cancelHalfway || 2 * done < total)
                return true;
            cancelHalfway = false;
            shown.append("progress: " + what);
            return false;
        };
    }
    bool cancelHalfway = false;

    QStringList errors;
    // Every other dialog in the order shown, as "kind: what it showed".
    QStringList shown;
    int busyDialogs = 0;  // dialogs shown under the wait cursor
    // The answers to give in turn; once they run out, the dialog is
    // cancelled (a question answered No, a number's offer taken).
    std::deque<QString> directories;
    std::deque<QString> mapFiles;
    std::deque<QString> saveFiles;
    std::deque<bool> yes;
    std::deque<std::optional<int>> numbers;  // nothing cancels
    std::deque<PublishChoice> publishes;
    std::deque<QFont> fonts;
    std::deque<QColor> colors;
    // Plays the user's part in the Custom list dialog; true is Ok.
    std::function<bool(TCustomListForm&)> customList;

private:
    static bool busy() { return QGuiApplication::overrideCursor() != nullptr; }
    template <typename T>
    std::optional<T> next(const QString& what, std::deque<T>& answers)
    {
        shown.append(what);
        busyDialogs += busy();
        if (answers.empty())
            return std::nullopt;
        std::optional<T> answer(std::in_place, answers.front());
        answers.pop_front();
        return answer;
    }
};
