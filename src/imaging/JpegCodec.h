// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// JPEG in memory over libjpeg. Every codec failure is a TessError whose text
// is "JPEG error #N: " and the library's own message. Warnings that mean
// pixels were lost or made up (a truncated file, corrupt entropy data) count
// as errors: a damaged image never loads as if it were whole.

// The size in the file's header; reads no pixel data.
QSize ReadJpegSize(const QByteArray& jpeg);

// Decodes at full size into a Format_RGB32 image whatever the file holds:
// greyscale, YCbCr, RGB, CMYK or YCCK (Adobe's inverted CMYK included),
// baseline or progressive. Refuses, before allocating, an image that
// CheckImageFits rejects for `availableBytes` (see MemoryBudget.h).
QImage DecodeJpeg(const QByteArray& jpeg, qint64 availableBytes);

// The same at 1/denom of the size (denom 1, 2, 4 or 8, sizes rounded up):
// libjpeg then leaves out most of the inverse DCT's work.
QImage DecodeJpegAt(const QByteArray& jpeg, unsigned denom, qint64 availableBytes);

// Decoded at the smallest of those sizes whose longer side still has at
// least `longSide` pixels (or at 1/8): for a small picture of a large image.
QImage DecodeJpegReduced(const QByteArray& jpeg, int longSide, qint64 availableBytes);

// The quality Save jpg writes at.
inline constexpr int kSaveQuality = 90;

// Encodes a Format_RGB32 image as a baseline YCbCr JPEG with libjpeg's
// standard settings at `quality`.
QByteArray EncodeJpeg(const QImage& image, int quality = kSaveQuality);
