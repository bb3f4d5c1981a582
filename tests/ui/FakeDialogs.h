// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/CustomListFormUnit.h"
#include "ui/Dialogs.h"

#include <QGuiApplication>
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
        directoryAsked.append(title + "|" + start);
        return next(directories);
    }
    std::optional<QString> chooseMapFile(QWidget*, const QString& preset) override
    {
        mapFilePresets.append(preset);
        return next(mapFiles);
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return next(fonts); }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return next(colors); }
    bool runCustomList(TCustomListForm& dialog) override { return customList ? customList(dialog) : false; }
    std::optional<QString> chooseSaveFile(QWidget*, const QString&, const QStringList&, const QString& suggested) override
    {
        suggestedFiles.append(suggested);
        busyDialogs += busy();
        return next(saveFiles);
    }
    bool askYesNo(QWidget*, const QString& question) override
    {
        questions.append(question);
        busyDialogs += busy();
        return next(yes).value_or(false);
    }
    std::optional<int> askNumber(QWidget*, const QString&, const QString& label, int value, int, int) override
    {
        numbersAsked.append(QStringLiteral("%1 %2").arg(label).arg(value));
        busyDialogs += busy();
        if (numbers.empty())
            return value;
        const std::optional<int> answer = numbers.front();
        numbers.pop_front();
        return answer;
    }

    std::optional<PublishChoice> choosePublish(QWidget*, const PublishChoice& preset) override
    {
        publishPresets.append(preset.dir + "|" + preset.linkBase);
        return next(publishes);
    }

    QStringList errors;
    QStringList directoryAsked;
    QStringList mapFilePresets;
    QStringList questions;  // answered from `yes`, then No
    QStringList suggestedFiles;
    QStringList numbersAsked;  // the label and the number offered
    int busyDialogs = 0;       // error boxes, questions and file dialogs shown under the wait cursor
    QStringList publishPresets;
    std::deque<PublishChoice> publishes;
    // The answers to give in turn; once they run out, the dialog is cancelled.
    std::deque<QString> directories;
    std::deque<QString> mapFiles;
    std::deque<QString> saveFiles;
    std::deque<bool> yes;
    std::deque<std::optional<int>> numbers;  // nothing cancels; once they run out, the offer is taken
    std::deque<QFont> fonts;
    std::deque<QColor> colors;
    // Plays the user's part in the Custom list dialog; true is Ok.
    std::function<bool(TCustomListForm&)> customList;

private:
    static bool busy() { return QGuiApplication::overrideCursor() != nullptr; }
    template <typename T>
    static std::optional<T> next(std::deque<T>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        std::optional<T> answer(std::in_place, answers.front());
        answers.pop_front();
        return answer;
    }
};
