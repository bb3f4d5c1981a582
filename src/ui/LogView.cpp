// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LogView.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

void LogView::append(const QString& text) { pending_.append(text); }

void LogView::processPendingEvents()
{
    flush();
    QCoreApplication::processEvents();
}

void LogView::flush()
{
    if (pending_.isEmpty() || edit_ == nullptr)
        return;
    const QString block = pending_.join(u'\n');
    pending_.clear();
    QTextCursor cursor(edit_->document());
    cursor.movePosition(QTextCursor::End);
    // A first line that is empty still counts as a line.
    if (started_)
        cursor.insertBlock();
    cursor.insertText(block);
    started_ = true;
    edit_->verticalScrollBar()->setValue(edit_->verticalScrollBar()->maximum());
}
