// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/panel/NamePreview.h"

#include "imaging/AlphaText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// The part of the box at `topLeft` of `size` that lies inside `image`.
QRect ClipToImage(const QImage& image, TPixel topLeft, QSize size)
{
    const int64_t left = std::max<int64_t>(topLeft.X, 0);
    const int64_t top = std::max<int64_t>(topLeft.Y, 0);
    const int64_t right = std::min<int64_t>(int64_t{topLeft.X} + size.width(), image.width());
    const int64_t bottom = std::min<int64_t>(int64_t{topLeft.Y} + size.height(), image.height());
    if (left >= right || top >= bottom)
        return QRect();
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

}  // namespace

void NamePreview::show(QImage& image, const QString& text, TPixel topLeft, quint8 alpha, const QFont& font,
                       QColor color)
{
    hide(image);
    FPreviewText = text;
    FPreviewFont = font;
    FPreviewColor = color;
    FPreviewTopLeft = topLeft;
    FBackRect = ClipToImage(image, topLeft, TextBoxSize(font, text));
    FPreviewBack = FBackRect.isEmpty() ? QImage() : image.copy(FBackRect);
    DrawAlphaText(image, FPreviewFont, FPreviewColor, alpha, topLeft.X, topLeft.Y, FPreviewText);
}

void NamePreview::redraw(QImage& image, quint8 alpha)
{
    if (!shown())
        return;
    restoreBackground(image);
    DrawAlphaText(image, FPreviewFont, FPreviewColor, alpha, FPreviewTopLeft.X, FPreviewTopLeft.Y, FPreviewText);
}

void NamePreview::hide(QImage& image)
{
    if (!shown())
        return;
    restoreBackground(image);
    FPreviewBack.reset();
}

void NamePreview::restoreBackground(QImage& image) const
{
    const QImage& back = *FPreviewBack;
    if (back.isNull())
        return;
    const auto rowBytes = static_cast<std::size_t>(back.width()) * 4;
    for (int row = 0; row < back.height(); ++row)
        std::memcpy(image.scanLine(FBackRect.top() + row) + std::size_t(FBackRect.left()) * 4, back.constScanLine(row),
                    rowBytes);
}

std::optional<std::size_t> NearestSheet(const std::vector<TSingleMap>& maps, QSize imageSize,
                                        std::optional<TPixel> viewCenter)
{
    if (maps.empty())
        return std::nullopt;
    const auto square = [](int64_t v) { return v * v; };
    int64_t best = square(imageSize.height()) + square(imageSize.width());
    std::size_t chosen = 0;
    if (viewCenter) {
        for (std::size_t i = 0; i < maps.size(); ++i) {
            if (!maps[i].IsOk)
                continue;
            const TPixel& c = maps[i].NameCenter;
            const int64_t d = square(int64_t{viewCenter->X} - c.X) + square(int64_t{viewCenter->Y} - c.Y);
            if (d < best) {
                best = d;
                chosen = i;
            }
        }
    }
    return chosen;
}

std::optional<TPixel> StartNamePreview(Workspace& ws, NamePreview& preview, const NameStyle& style,
                                       std::optional<TPixel> viewCenter)
{
    if (!ws.centersReady || !CheckNameSource(ws, style.source))
        return std::nullopt;
    const auto chosen = NearestSheet(ws.data.Maps, ws.workingImage.size(), viewCenter);
    if (!chosen)
        return std::nullopt;
    const TPixel center = ws.data.Maps[*chosen].NameCenter;
    const QString text = NameText(ws.data, *chosen, style.source);
    const TPixel corner = CenteredTextCorner(center, TextBoxSize(style.font, text));
    preview.show(ws.workingImage, text, corner, OpacityAlpha(style.opacityPosition), style.font, style.color);
    return center;
}

namespace {

struct HalfView {
    double hw;  // in image pixels
    double hh;
};

// The halves are taken in screen pixels, truncated as at actual size, and
// then turned into image pixels.
HalfView HalvesOf(const ViewGeometry& view)
{
    const int w = view.outerWidth - view.verticalBarWidth;
    const int h = view.outerHeight - view.horizontalBarHeight;
    return {(w / 2) / view.zoom, (h / 2) / view.zoom};
}

int ScrollAxisTo(int point, double half, int range, double zoom)
{
    if (point > range - half)
        return static_cast<int>(std::lround(range * zoom));
    if (point < half)
        return 0;
    return static_cast<int>(std::lround((point - half) * zoom));
}

int ImageCoordinate(double half, int position, double zoom)
{
    return static_cast<int>(std::floor(half + position / zoom));
}

}  // namespace

std::optional<TPixel> GetViewCenter(const ViewGeometry& view)
{
    const HalfView half = HalvesOf(view);
    if (half.hw > view.horizontalRange || half.hh > view.verticalRange)
        return std::nullopt;
    return TPixel{ImageCoordinate(half.hw, view.horizontalPosition, view.zoom),
                  ImageCoordinate(half.hh, view.verticalPosition, view.zoom)};
}

std::optional<ScrollPositions> ScrollToPoint(const ViewGeometry& view, int x, int y)
{
    if (x < 0 || x > view.horizontalRange || y < 0 || y > view.verticalRange)
        return std::nullopt;
    const HalfView half = HalvesOf(view);
    return ScrollPositions{ScrollAxisTo(x, half.hw, view.horizontalRange, view.zoom),
                           ScrollAxisTo(y, half.hh, view.verticalRange, view.zoom)};
}
