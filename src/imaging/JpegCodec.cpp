// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/JpegCodec.h"

#include "imaging/ImageBuffer.h"
#include "imaging/MemoryBudget.h"
#include "core/Errors.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports a fatal error by calling error_exit, which must not
// return. It leaves through longjmp, so the functions between setjmp and the
// library calls below are plain C-style code holding no object with a
// destructor; the C++ side turns their result into a TessError.

namespace {

struct ErrorState {
    jpeg_error_mgr mgr;  // first: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    int code;
    char text[JMSG_LENGTH_MAX];
};

ErrorState* StateOf(j_common_ptr cinfo) { return reinterpret_cast<ErrorState*>(cinfo->err); }

[[noreturn]] void ExitWithError(j_common_ptr cinfo)
{
    ErrorState* state = StateOf(cinfo);
    state->code = cinfo->err->msg_code;
    (*cinfo->err->format_message)(cinfo, state->text);
    std::longjmp(state->jump, 1);
}

// Warnings about metadata or skipped bytes between segments leave the
// pixels whole; every other warning means lost or invented image data.
bool HarmlessWarning(int code)
{
    return code == JWRN_EXTRANEOUS_DATA || code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM ||
           code == JWRN_BOGUS_ICC;
}

void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && !HarmlessWarning(cinfo->err->msg_code))
        ExitWithError(cinfo);
}

void InstallErrorState(ErrorState* state)
{
    std::memset(state, 0, sizeof *state);
    jpeg_std_error(&state->mgr);
    state->mgr.error_exit = ExitWithError;
    state->mgr.emit_message = EmitMessage;
}

struct HeaderInfo {
    unsigned width;
    unsigned height;
};

// The size decoding at 1/denom gives (denom 1, 2, 4 or 8).
bool ReadHeaderC(const unsigned char* data, unsigned long size, unsigned denom, HeaderInfo* header, ErrorState* err)
{
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    InstallErrorState(err);
    cinfo.err = &err->mgr;
    if (setjmp(err->jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = denom;
    jpeg_calc_output_dimensions(&cinfo);
    header->width = cinfo.output_width;
    header->height = cinfo.output_height;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// QImage::Format_RGB32 is 0xffRRGGBB in the machine's byte order.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

inline unsigned Scale255(unsigned a, unsigned b) { return (a * b + 127) / 255; }

// Adobe writes CMYK inverted (0 is full ink); other writers store ink.
void CmykRowToRgb32(const JSAMPLE* cmyk, unsigned width, bool inverted, unsigned char* out)
{
    auto* pixel = reinterpret_cast<quint32*>(out);
    for (unsigned x = 0; x < width; ++x, cmyk += 4) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        pixel[x] = 0xff000000u | (Scale255(c, k) << 16) | (Scale255(m, k) << 8) | Scale255(y, k);
    }
}

// `bits` holds the image at the size ReadHeaderC found in the same bytes
// for the same `denom`.
bool DecodeC(const unsigned char* data, unsigned long size, unsigned denom, unsigned char* bits, std::size_t stride,
             ErrorState* err)
{
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    InstallErrorState(err);
    cinfo.err = &err->mgr;
    if (setjmp(err->jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
    cinfo.scale_num = 1;
    cinfo.scale_denom = denom;
    jpeg_start_decompress(&cinfo);

    if (cmyk) {
        const bool inverted = cinfo.saw_Adobe_marker;
        JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                   cinfo.output_width * 4, 1);
        while (cinfo.output_scanline < cinfo.output_height) {
            unsigned char* out = bits + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, row, 1);
            CmykRowToRgb32(row[0], cinfo.output_width, inverted, out);
        }
    } else {
        constexpr unsigned kBatch = 16;
        JSAMPROW rows[kBatch];
        while (cinfo.output_scanline < cinfo.output_height) {
            const unsigned first = cinfo.output_scanline;
            const unsigned count = cinfo.output_height - first < kBatch ? cinfo.output_height - first : kBatch;
            for (unsigned i = 0; i < count; ++i)
                rows[i] = bits + stride * (first + i);
            jpeg_read_scanlines(&cinfo, rows, count);
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// libjpeg's destination writes straight into the QByteArray the caller
// gets, grown by doubling (large blocks move by remapping pages, not copying).
struct ByteArrayDest {
    jpeg_destination_mgr mgr;  // first: libjpeg hands back a pointer to it
    QByteArray* bytes;
};

ByteArrayDest* DestOf(j_compress_ptr cinfo) { return reinterpret_cast<ByteArrayDest*>(cinfo->dest); }

// No exception may cross libjpeg's C frames: a failed allocation is reported
// to the library as its own out-of-memory error instead.
bool Resize(QByteArray& bytes, qsizetype size) noexcept
{
    try {
        bytes.resize(size);
        return true;
    } catch (...) {
        return false;
    }
}

void InitDest(j_compress_ptr cinfo)
{
    QByteArray& bytes = *DestOf(cinfo)->bytes;
    DestOf(cinfo)->mgr.next_output_byte = reinterpret_cast<JOCTET*>(bytes.data());
    DestOf(cinfo)->mgr.free_in_buffer = static_cast<std::size_t>(bytes.size());
}

boolean GrowDest(j_compress_ptr cinfo)
{
    QByteArray& bytes = *DestOf(cinfo)->bytes;
    const qsizetype used = bytes.size();  // the library asks only when it is full
    if (!Resize(bytes, used * 2))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
    DestOf(cinfo)->mgr.next_output_byte = reinterpret_cast<JOCTET*>(bytes.data()) + used;
    DestOf(cinfo)->mgr.free_in_buffer = static_cast<std::size_t>(bytes.size() - used);
    return TRUE;
}

void TermDest(j_compress_ptr cinfo)
{
    QByteArray& bytes = *DestOf(cinfo)->bytes;
    // Shrinking never allocates.
    bytes.truncate(bytes.size() - static_cast<qsizetype>(DestOf(cinfo)->mgr.free_in_buffer));
}

bool EncodeC(const unsigned char* bits, std::size_t stride, unsigned width, unsigned height, int quality,
             ByteArrayDest* dest, ErrorState* err)
{
    jpeg_compress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    InstallErrorState(err);
    cinfo.err = &err->mgr;
    if (setjmp(err->jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest->mgr.init_destination = InitDest;
    dest->mgr.empty_output_buffer = GrowDest;
    dest->mgr.term_destination = TermDest;
    cinfo.dest = &dest->mgr;

    cinfo.image_width = width;
    cinfo.image_height = height;
    // The image's RGB pixels are read in place; the fourth byte is skipped.
    cinfo.input_components = 4;
    cinfo.in_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&cinfo);  // YCbCr, Huffman tables of the standard, no progression
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    constexpr unsigned kBatch = 16;
    JSAMPROW rows[kBatch];
    while (cinfo.next_scanline < cinfo.image_height) {
        const unsigned first = cinfo.next_scanline;
        const unsigned count = height - first < kBatch ? height - first : kBatch;
        for (unsigned i = 0; i < count; ++i)
            rows[i] = const_cast<JSAMPROW>(bits + stride * (first + i));
        jpeg_write_scanlines(&cinfo, rows, count);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

const unsigned char* BytesOf(const QByteArray& bytes) { return reinterpret_cast<const unsigned char*>(bytes.constData()); }

HeaderInfo ReadHeader(const QByteArray& jpeg, unsigned denom = 1)
{
    HeaderInfo header{};
    ErrorState err;
    if (!ReadHeaderC(BytesOf(jpeg), static_cast<unsigned long>(jpeg.size()), denom, &header, &err))
        throw Errors::jpegError(err.code, QString::fromLocal8Bit(err.text));
    return header;
}

}  // namespace

QSize ReadJpegSize(const QByteArray& jpeg)
{
    const HeaderInfo header = ReadHeader(jpeg);
    return QSize(static_cast<int>(header.width), static_cast<int>(header.height));
}

QImage DecodeJpeg(const QByteArray& jpeg, qint64 availableBytes) { return DecodeJpegAt(jpeg, 1, availableBytes); }

QImage DecodeJpegReduced(const QByteArray& jpeg, int longSide, qint64 availableBytes)
{
    const HeaderInfo full = ReadHeader(jpeg);
    const unsigned side = std::max(full.width, full.height);
    unsigned denom = 8;
    while (denom > 1 && side / denom < unsigned(std::max(longSide, 1)))
        denom /= 2;
    return DecodeJpegAt(jpeg, denom, availableBytes);
}

QImage DecodeJpegAt(const QByteArray& jpeg, unsigned denom, qint64 availableBytes)
{
    const HeaderInfo header = ReadHeader(jpeg, denom);
    CheckImageFits(header.width, header.height, availableBytes);
    QImage image = NewRgb32Image(static_cast<int>(header.width), static_cast<int>(header.height));
    if (image.isNull())
        throw Errors::imageTooLarge(header.width, header.height, QStringLiteral("does not fit in memory"));
    uchar* bits = image.bits();
    bool ok = false;
    ErrorState err;
    {
        const std::jthread prefault = PrefaultInBackground(bits, image.sizeInBytes());
        ok = DecodeC(BytesOf(jpeg), static_cast<unsigned long>(jpeg.size()), denom, bits,
                     static_cast<std::size_t>(image.bytesPerLine()), &err);
    }
    if (!ok)
        throw Errors::jpegError(err.code, QString::fromLocal8Bit(err.text));
    return image;
}

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    // The working image is always Format_RGB32; anything else is converted once.
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    // A quarter of a byte per pixel covers most maps at quality 90 without growth.
    bytes.resize(std::max<qsizetype>(65536, qsizetype{rgb.width()} * rgb.height() / 4));
    ByteArrayDest dest{};
    dest.bytes = &bytes;
    ErrorState err;
    if (!EncodeC(rgb.constBits(), static_cast<std::size_t>(rgb.bytesPerLine()), static_cast<unsigned>(rgb.width()),
                 static_cast<unsigned>(rgb.height()), quality, &dest, &err))
        throw Errors::jpegError(err.code, QString::fromLocal8Bit(err.text));
    bytes.squeeze();  // the caller keeps these bytes as the base image
    return bytes;
}
