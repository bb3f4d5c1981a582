// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// Told, on the caller's thread, what a long step is doing and how far it
// got (`done` of `total` pieces); answers false to stop the step at its
// next piece. An empty one is never asked.
using ProgressFunction = std::function<bool(const QString& what, qint64 done, qint64 total)>;
