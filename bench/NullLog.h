// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/ResultsLog.h"

// A results log that keeps nothing, so that a benchmark times the step.
class NullLog final : public ResultsLog {
public:
    void append(const QString&) override {}
};
