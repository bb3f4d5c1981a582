#pragma once

#include <QImage>

// A Format_RGB32 image of the given size whose pixels live in memory of
// their own, mapped with transparent huge pages where the system offers
// them: a large image then costs a few hundred page faults instead of
// hundreds of thousands, which on some machines take longer than decoding.
// A null image when the memory cannot be had.
QImage NewRgb32Image(int width, int height);
