// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Where operations write their progress. The window's log widget, the batch
// tool's standard output and the tests each provide one.
class ResultsLog {
public:
    virtual ~ResultsLog() = default;

    // One entry; a text holding a line break shows as several lines.
    virtual void append(const QString& text) = 0;

    // Long operations call this once, right after their first line, so the
    // line shows before the work starts.
    virtual void processPendingEvents() {}

    void blank() { append(QString()); }
};

// Keeps the lines in memory: for tests, and for whoever wants the text.
class MemoryLog final : public ResultsLog {
public:
    void append(const QString& text) override { lines_.append(text.split(u'\n')); }

    const QStringList& lines() const { return lines_; }

private:
    QStringList lines_;
};
