// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/ImageBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr qsizetype kHugePage = qsizetype{2} << 20;

struct Mapping {
    void* address;
    std::size_t length;
};

void Unmap(void* info)
{
    auto* mapping = static_cast<Mapping*>(info);
    ::munmap(mapping->address, mapping->length);
    delete mapping;
}

}  // namespace

QImage NewRgb32Image(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const qsizetype stride = qsizetype{width} * 4;  // already a multiple of 4, as QImage wants
    const qsizetype bytes = stride * height;
    // Small images gain nothing; QImage's own allocation serves them.
    if (bytes < kHugePage)
        return QImage(width, height, QImage::Format_RGB32);
    const auto length = static_cast<std::size_t>((bytes + kHugePage - 1) / kHugePage * kHugePage);
    void* address = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (address == MAP_FAILED)
        return QImage();
    ::madvise(address, length, MADV_HUGEPAGE);  // a hint: without it, small pages serve
    auto* mapping = new Mapping{address, length};
    QImage image(static_cast<uchar*>(address), width, height, stride, QImage::Format_RGB32, Unmap, mapping);
    if (image.isNull())
        Unmap(mapping);
    return image;
}

std::jthread PrefaultInBackground(uchar* data, qsizetype bytes)
{
    const auto page = static_cast<quintptr>(::sysconf(_SC_PAGESIZE));
    const auto begin = (reinterpret_cast<quintptr>(data) + page - 1) / page * page;
    const auto end = reinterpret_cast<quintptr>(data) + static_cast<quintptr>(bytes);
    if (bytes < kHugePage || begin >= end)
        return std::jthread();
    return std::jthread([begin, end](std::stop_token stop) {
        constexpr quintptr kChunk = quintptr{32} << 20;
        for (quintptr at = begin; at < end && !stop.stop_requested(); at += kChunk) {
            const quintptr length = std::min(kChunk, end - at);
            // Fails on kernels before 5.14; the pages are then mapped as the decoder writes them.
            if (::madvise(reinterpret_cast<void*>(at), length, MADV_POPULATE_WRITE) != 0)
                return;
        }
    });
}
