// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Progress.h"

#include <cstddef>
#include <functional>

// Runs job(0) to job(count - 1) on every core, in no set order, while the
// calling thread tells `progress` how many are done (as `what`, counting
// from `doneBefore` of `total`). Stops handing out jobs once progress
// answers false or a job throws; returns false when stopped by progress.
// The first exception a job threw is thrown again here, after every
// running job has ended.
bool RunInParallel(std::size_t count, const std::function<void(std::size_t)>& job, const ProgressFunction& progress,
                   const QString& what, qint64 doneBefore, qint64 total);
