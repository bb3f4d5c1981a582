// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <thread>

// A Format_RGB32 image of the given size whose pixels live in memory of
// their own, mapped with transparent huge pages where the system offers
// them: a large image then costs a few hundred page faults instead of
// hundreds of thousands, which on some machines take longer than decoding.
// A null image when the memory cannot be had.
QImage NewRgb32Image(int width, int height);

// Maps the pages of `bytes` at `data` writable, in a thread of its own, while
// the caller fills them: on machines where a first touch of memory is slow,
// decoding then does not wait for it. Only page tables change, never the
// contents, so the caller may write meanwhile. Stops early when the returned
// thread is destroyed.
std::jthread PrefaultInBackground(uchar* data, qsizetype bytes);
