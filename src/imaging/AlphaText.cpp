// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/AlphaText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace {

bool Is32Bit(const QImage& image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

// (255·s·C + (65025 − sa·C)·d) / 65025, rounded to nearest.
uint32_t BlendChannel(uint32_t s, uint32_t sc, uint32_t weight, uint32_t d)
{
    constexpr uint32_t kDenominator = 255u * 255u;
    const uint32_t numerator = 255u * s * sc + weight * d;
    return std::min<uint32_t>((2u * numerator + kDenominator) / (2u * kDenominator), 255u);
}

// The names font as drawn: greyscale antialiasing only, so the red byte of
// the mask is the true coverage of every colour channel.
QFont DrawingFont(const QFont& font)
{
    QFont f(font);
    f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return f;
}

// Text is measured and rendered on images of one default resolution, so a
// font given in points has the same size in both, whatever the resolution
// recorded in the working image.
const QImage& MeasuringDevice()
{
    static const QImage device(1, 1, QImage::Format_ARGB32);
    return device;
}

QImage RenderText(const QFont& font, int ascent, QSize size, QColor color, const QString& text)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(QColor(Qt::black));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(QColor(color.red(), color.green(), color.blue()));
    painter.drawText(0, ascent, text);
    return image;
}

}  // namespace

void AlphaBlendBitmap(const QImage& source, QImage& dest, int x, int y, quint8 alpha, bool perPixelAlpha)
{
    if (!Is32Bit(source) || !Is32Bit(dest))
        return;
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + source.width(), dest.width());
    const int64_t bottom = std::min<int64_t>(int64_t{y} + source.height(), dest.height());
    if (left >= right || top >= bottom)
        return;

    const bool destHasAlpha = dest.hasAlphaChannel();
    const uint32_t c = alpha;
    for (int64_t row = top; row < bottom; ++row) {
        const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(static_cast<int>(row - y)));
        auto* dst = reinterpret_cast<QRgb*>(dest.scanLine(static_cast<int>(row)));
        for (int64_t col = left; col < right; ++col) {
            const QRgb s = src[col - x];
            const QRgb d = dst[col];
            const uint32_t sa = perPixelAlpha ? static_cast<uint32_t>(qAlpha(s)) : 255u;
            const uint32_t weight = 255u * 255u - sa * c;
            const auto channel = [&](int sv, int dv) {
                return static_cast<int>(BlendChannel(static_cast<uint32_t>(sv), c, weight, static_cast<uint32_t>(dv)));
            };
            const int a = destHasAlpha ? channel(static_cast<int>(sa), qAlpha(d)) : 255;
            dst[col] = qRgba(channel(qRed(s), qRed(d)), channel(qGreen(s), qGreen(d)), channel(qBlue(s), qBlue(d)), a);
        }
    }
}

QSize TextBoxSize(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(DrawingFont(font), &MeasuringDevice());
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void DrawAlphaText(QImage& target, const QFont& font, QColor color, quint8 alpha, int x, int y, const QString& text)
{
    if (text.isEmpty())
        return;
    const QFont drawingFont = DrawingFont(font);
    const QFontMetrics metrics(drawingFont, &MeasuringDevice());
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    if (size.isEmpty())
        return;

    const QImage mask = RenderText(drawingFont, metrics.ascent(), size, QColor(255, 0, 0), text);
    QImage textImage = RenderText(drawingFont, metrics.ascent(), size, color, text);

    // The text image premultiplied by its coverage, whose alpha is that
    // coverage: one pass over both images, which share size and layout.
    for (int row = 0; row < size.height(); ++row) {
        const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(row));
        auto* t = reinterpret_cast<QRgb*>(textImage.scanLine(row));
        for (int col = 0; col < size.width(); ++col) {
            const int a = qRed(m[col]);
            const QRgb p = t[col];
            t[col] = qRgba((qRed(p) * a) >> 8, (qGreen(p) * a) >> 8, (qBlue(p) * a) >> 8, a);
        }
    }

    AlphaBlendBitmap(textImage, target, x, y, alpha, true);
}
