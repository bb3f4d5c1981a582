// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/ResultsLog.h"

class QPlainTextEdit;

// The results log in the window. Lines gather in memory and go into the
// text box in one block at each flush, so that an operation writing
// thousands of lines does not spend its time in the widget.
class LogView final : public ResultsLog {
public:
    explicit LogView(QPlainTextEdit* edit = nullptr) : edit_(edit) {}
    void attach(QPlainTextEdit* edit) { edit_ = edit; }

    void append(const QString& text) override;
    // Shows the lines so far, then lets the window repaint once.
    void processPendingEvents() override;
    // Puts the gathered lines into the text box.
    void flush();

private:
    QPlainTextEdit* edit_;
    QStringList pending_;
    bool started_ = false;  // whether the box holds a line, empty or not
};
