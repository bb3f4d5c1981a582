// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Bytes of memory this process can still take before the system or its
// control group has to reclaim or kill: the smaller of /proc/meminfo's
// MemAvailable and what the cgroup v2 limit leaves. -1 when neither can be
// read (no limit is then applied).
qint64 AvailableMemoryBytes();

// Throws TessError when a decoded Format_RGB32 image of width × height
// pixels does not fit: it must take at most half of `availableBytes`, so
// that a second image of its size (Undo decodes beside the working image,
// a window shows a copy) still fits. A negative `availableBytes` means
// unknown and checks only what QImage itself can hold.
void CheckImageFits(qint64 width, qint64 height, qint64 availableBytes);
