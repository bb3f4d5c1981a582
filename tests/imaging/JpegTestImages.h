#pragma once

// JPEG streams for tests, written with libjpeg directly so that they hold
// what a test needs (greyscale, CMYK with or without Adobe's marker,
// progressive), independent of the codec under test.

#include <QByteArray>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace testjpeg {

enum class Kind { Rgb, Grey, CmykAdobe, CmykPlain, Ycck, Progressive };

// Samples per pixel in the order libjpeg takes them for `kind`, from an
// RGB image. CMYK is written as ink (0 = none); Adobe files store it inverted.
inline std::vector<JSAMPLE> Samples(const QImage& image, Kind kind)
{
    std::vector<JSAMPLE> out;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            switch (kind) {
            case Kind::Grey: out.push_back(static_cast<JSAMPLE>(qGray(p))); break;
            case Kind::CmykAdobe:
            case Kind::CmykPlain:
            case Kind::Ycck: {
                const int k = 255 - std::max({r, g, b});
                const int scale = 255 - k;
                const auto ink = [&](int v) { return scale == 0 ? 0 : (scale - v) * 255 / scale; };
                int cmyk[4] = {ink(r), ink(g), ink(b), k};
                for (int v : cmyk)
                    out.push_back(static_cast<JSAMPLE>(kind == Kind::CmykPlain ? v : 255 - v));
                break;
            }
            default:
                out.push_back(static_cast<JSAMPLE>(r));
                out.push_back(static_cast<JSAMPLE>(g));
                out.push_back(static_cast<JSAMPLE>(b));
            }
        }
    }
    return out;
}

inline QByteArray Encode(const QImage& image, Kind kind, int quality = 95)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    const bool cmyk = kind == Kind::CmykAdobe || kind == Kind::CmykPlain || kind == Kind::Ycck;
    cinfo.input_components = kind == Kind::Grey ? 1 : cmyk ? 4 : 3;
    cinfo.in_color_space = kind == Kind::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (kind == Kind::Ycck)
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    if (kind == Kind::CmykPlain)
        cinfo.write_Adobe_marker = FALSE;
    if (kind == Kind::Progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::vector<JSAMPLE> samples = Samples(image, kind);
    const std::size_t rowSize = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + rowSize * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

// A smooth picture with a few sharp edges, as maps have.
inline QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int shade = (x / 16 + y / 16) % 2 ? 30 : 0;
            const int r = 200 * x / std::max(1, width - 1) + shade;
            const int g = 200 * y / std::max(1, height - 1) + shade;
            const int b = 120 + shade;
            image.setPixel(x, y, qRgb(r, g, b));
        }
    }
    return image;
}

// Mean and largest per-channel difference of two images of one size.
struct Difference {
    double mean = 0;
    int largest = 0;
};

inline Difference Compare(const QImage& a, const QImage& b)
{
    Difference d;
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int diff : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                sum += std::abs(diff);
                d.largest = std::max(d.largest, std::abs(diff));
            }
        }
    }
    d.mean = static_cast<double>(sum) / (3.0 * a.width() * a.height());
    return d;
}

}  // namespace testjpeg
