// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

#include <vector>

// Halved copies of an image, for showing it below actual size at the cost
// of the screen area rather than of the image: level 1 is half the image's
// width and height, each further level half the one before, down to one
// pixel on the shorter side. Every pixel is the rounded mean of the 2 x 2
// block under it (an odd last row or column is left out), so thin lines
// fade instead of vanishing or flickering. The levels take at most a third
// of the image's own memory.
// One halving as the levels are made, but rounded up: an odd last column or
// row becomes a column or row of its own, the mean of the one or two pixels
// each block holds. Pixel (x, y) then stands for the image's pixels from
// (2x, 2y) to (2x + 1, 2y + 1) that exist, so a tile grid of each halving
// lines up with the image's own. Null when the memory cannot be had.
QImage HalfImageRoundedUp(const QImage& full);

// The same halving into `half`, which already has the halved size (and may
// be a view of a larger image's rows).
void HalveRoundedUp(const QImage& full, QImage& half);

class ImagePyramid {
public:
    // Makes the levels for `image` (Format_RGB32), or none for a null one.
    void build(const QImage& image);

    // Brings the levels up to date after the pixels of `image` inside
    // `changed` were altered; the image keeps the size it was built for.
    void update(const QImage& image, QRect changed);

    // Level 1 and down; level(0) is the image itself and is not held.
    int levels() const { return static_cast<int>(levels_.size()); }
    const QImage& level(int i) const { return levels_.at(static_cast<std::size_t>(i - 1)); }

    qsizetype bytes() const;

private:
    std::vector<QImage> levels_;
};
