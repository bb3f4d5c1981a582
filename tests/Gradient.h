// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A test picture in which neighbouring pixels differ, so that lost, shifted
// or overdrawn pixels show. It holds no pure red, blue or white pixel.

#include <QImage>

#include <cstdlib>

inline QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 200, y % 200, (x * 7 + y * 3) % 256));
    return image;
}

// How far two pictures of one size are apart: the mean difference of green
// over every `step`-th pixel of every `step`-th row, for lossy copies.
inline double MeanGreenDifference(const QImage& a, const QImage& b, int step = 1)
{
    qint64 sum = 0, count = 0;
    for (int y = 0; y < a.height(); y += step)
        for (int x = 0; x < a.width(); x += step, ++count)
            sum += std::abs(qGreen(a.pixel(x, y)) - qGreen(b.pixel(x, y)));
    return count == 0 ? 0.0 : double(sum) / double(count);
}
