// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "batch/BatchOptions.h"

class ResultsLog;

// Exit statuses of tessarine-batch.
enum BatchExit { kExitOk = 0, kExitStopped = 1, kExitUsage = 2, kExitError = 3 };

// Whether the run draws or decodes a picture (every step past Analyze, and
// --make-index), and so needs a GUI application: Analyze with its reports
// and export does not.
bool DrawsPictures(const BatchOptions& options);

// Runs the steps up to options.stopAfter, writing the results log to `log`.
// Errors that end a step propagate as exceptions.
int RunBatch(const BatchOptions& options, ResultsLog& log);

// A line on standard error, after what the log has printed so far: an
// error's text, or a problem the log's own lines leave unsaid.
void PrintError(const QString& text);
