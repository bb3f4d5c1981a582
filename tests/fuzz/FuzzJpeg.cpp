// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the JPEG decoder. Decoding must give an image of
// the header's size or throw TessError; a small decoded image must survive
// an encode and decode round trip at its size.

#include "imaging/JpegCodec.h"
#include "core/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Keeps each run small: larger images are refused before any pixel is read,
// which the decoder's own check of the budget must do.
constexpr qint64 kBudgetBytes = qint64{64} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QSize headerSize;
    try {
        headerSize = ReadJpegSize(bytes);
    } catch (const TessError&) {
    }
    QImage image;
    try {
        image = DecodeJpeg(bytes, kBudgetBytes);
    } catch (const TessError&) {
        return 0;
    }
    if (image.isNull() || image.format() != QImage::Format_RGB32 || image.size() != headerSize)
        std::abort();
    if (qint64{image.width()} * image.height() <= 256 * 256) {
        const QImage again = DecodeJpeg(EncodeJpeg(image), kBudgetBytes);
        if (again.size() != image.size())
            std::abort();
    }
    return 0;
}
