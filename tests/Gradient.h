// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A test picture in which neighbouring pixels differ, so that lost, shifted
// or overdrawn pixels show. It holds no pure red, blue or white pixel.

#include <QImage>

inline QImage Gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 200, y % 200, (x * 7 + y * 3) % 256));
    return image;
}
