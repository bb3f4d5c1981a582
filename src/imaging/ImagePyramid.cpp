// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/ImagePyramid.h"

#include "imaging/ImageBuffer.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The four pixels' mean per channel: two channels at a time in 16-bit lanes,
// which hold a sum of four bytes with room to spare.
inline quint32 Mean4(quint32 a, quint32 b, quint32 c, quint32 d)
{
    constexpr quint32 kLanes = 0x00FF00FF;
    const quint32 even = (a & kLanes) + (b & kLanes) + (c & kLanes) + (d & kLanes) + 0x00020002;
    const quint32 odd = ((a >> 8) & kLanes) + ((b >> 8) & kLanes) + ((c >> 8) & kLanes) + ((d >> 8) & kLanes) + 0x00020002;
    return 0xFF000000 | ((even >> 2) & kLanes) | (((odd >> 2) & kLanes) << 8);
}

#if defined(__SSE2__)
// Mean4 for four pixels side by side, from the eight above and the eight
// below: the same sums and rounding in 16-bit lanes.
inline void Mean4x4(const quint32* upper, const quint32* lower, quint32* out)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i two = _mm_set1_epi16(2);
    __m128i pairs[2];
    for (int i = 0; i < 2; ++i) {
        const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + 4 * i));
        const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + 4 * i));
        const __m128i left = _mm_add_epi16(_mm_unpacklo_epi8(u, zero), _mm_unpacklo_epi8(l, zero));
        const __m128i right = _mm_add_epi16(_mm_unpackhi_epi8(u, zero), _mm_unpackhi_epi8(l, zero));
        const __m128i sum = _mm_add_epi16(_mm_unpacklo_epi64(left, right), _mm_unpackhi_epi64(left, right));
        pairs[i] = _mm_srli_epi16(_mm_add_epi16(sum, two), 2);
    }
    const __m128i means = _mm_or_si128(_mm_packus_epi16(pairs[0], pairs[1]), _mm_set1_epi32(int(0xFF000000)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), means);
}
#endif

// Recomputes the pixels of `half` inside `area` from the blocks of `full`.
void Halve(const QImage& full, QImage& half, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* upper = reinterpret_cast<const quint32*>(full.constScanLine(2 * y));
        const auto* lower = reinterpret_cast<const quint32*>(full.constScanLine(2 * y + 1));
        auto* out = reinterpret_cast<quint32*>(half.scanLine(y));
        int x = area.left();
#if defined(__SSE2__)
        for (; x + 3 <= area.right(); x += 4)
            Mean4x4(upper + 2 * x, lower + 2 * x, out + x);
#endif
        for (; x <= area.right(); ++x)
            out[x] = Mean4(upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]);
    }
}

// The pixels of the next level whose blocks meet `area`.
QRect HalfOf(QRect area, QSize half)
{
    return QRect(QPoint(area.left() / 2, area.top() / 2), QPoint(area.right() / 2, area.bottom() / 2))
        .intersected(QRect(QPoint(0, 0), half));
}

}  // namespace

void HalveRoundedUp(const QImage& full, QImage& half)
{
    const int w = full.width() / 2, h = full.height() / 2;
    if (w > 0 && h > 0)
        Halve(full, half, QRect(0, 0, w, h));
    // An odd last column or row: its pixels stand in for their missing
    // neighbours, so the mean is of the pixels that are there.
    const auto pixel = [&full](int x, int y) {
        return reinterpret_cast<const quint32*>(full.constScanLine(std::min(y, full.height() - 1)))[std::min(x, full.width() - 1)];
    };
    const auto block = [&](int x, int y) {
        reinterpret_cast<quint32*>(half.scanLine(y))[x] =
            Mean4(pixel(2 * x, 2 * y), pixel(2 * x + 1, 2 * y), pixel(2 * x, 2 * y + 1), pixel(2 * x + 1, 2 * y + 1));
    };
    if (w < half.width()) {
        for (int y = 0; y < half.height(); ++y)
            block(w, y);
    }
    if (h < half.height()) {
        for (int x = 0; x < w; ++x)
            block(x, h);
    }
}

QImage HalfImageRoundedUp(const QImage& full)
{
    QImage half = NewRgb32Image((full.width() + 1) / 2, (full.height() + 1) / 2);
    if (!half.isNull() && !full.isNull())
        HalveRoundedUp(full, half);
    return half;
}

void ImagePyramid::build(const QImage& image)
{
    const auto halved = [](QSize s) { return QSize(s.width() / 2, s.height() / 2); };
    // A new drawing on the same image reuses the levels' memory: fresh
    // memory is slow to map on some machines.
    std::jthread prefault;
    if (levels_.empty() || levels_.front().size() != halved(image.size())) {
        levels_.clear();
        for (QSize size = halved(image.size()); !size.isEmpty(); size = halved(size)) {
            QImage level = NewRgb32Image(size.width(), size.height());
            if (level.isNull())  // out of memory: the view draws from the levels made so far
                break;
            levels_.push_back(std::move(level));
        }
        // Level 1 is three quarters of the memory.
        if (!levels_.empty())
            prefault = PrefaultInBackground(levels_.front().bits(), levels_.front().sizeInBytes());
    }
    update(image, image.rect());
}

void ImagePyramid::update(const QImage& image, QRect changed)
{
    const QImage* full = &image;
    QRect area = changed.intersected(image.rect());
    for (QImage& half : levels_) {
        area = HalfOf(area, half.size());
        if (area.isEmpty())
            return;
        Halve(*full, half, area);
        full = &half;
    }
}

qsizetype ImagePyramid::bytes() const
{
    qsizetype total = 0;
    for (const QImage& level : levels_)
        total += level.sizeInBytes();
    return total;
}
