// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/newindex/IndexMapPicture.h"

#include "geometry/Nomenclature.h"
#include "imaging/ImageBuffer.h"
#include "imaging/MemoryBudget.h"
#include "core/Errors.h"
#include "workflow/newindex/IndexProjection.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kSteps[] = {0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.25, 0.5,
                             1,     2,     5,     10,   15,   20,   30,  45,  60,   90};

int LineCount(double span, double step) { return static_cast<int>(std::floor(span / step)) + 1; }

const QColor kBackground(0xf4, 0xf1, 0xe8);
const QColor kCellLine(0xc9, 0xd3, 0xdc);
const QColor kCellName(0xbc, 0xc7, 0xd2);
const QColor kGraticule(0x8c, 0x8c, 0x8c);
const QColor kLabel(0x4a, 0x4a, 0x4a);

// Whole minutes as the sheets' edges are printed (46°20′N), other values
// in decimal degrees.
QString DegreeLabel(double value, char positive, char negative)
{
    const double rounded = std::round(value * 1000.0) / 1000.0;
    if (rounded == 0.0)
        return QStringLiteral("0°");
    const QChar hemisphere = QLatin1Char(rounded < 0 ? negative : positive);
    const double minutes = std::fabs(value) * 60.0;
    if (std::fabs(minutes - std::round(minutes)) < 1e-6) {
        const long whole = std::lround(minutes);
        if (whole % 60 != 0)
            return QStringLiteral("%1°%2′").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0')) + hemisphere;
    }
    return QString::number(std::fabs(rounded), 'g', 10) + u'°' + hemisphere;
}

QFont PixelFont(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(pixels, 6));
    return font;
}

// The largest font whose lines are at most `height` pixels high, at least 6
// pixels and at most twice the names' default 13.
QFont CellNameFont(int height)
{
    QFont font = PixelFont(std::min(height, 26));
    while (font.pixelSize() > 6 && QFontMetrics(font).height() > height)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// Round steps that are whole multiples of `cell`, after its first three
// multiples, smallest first.
std::vector<double> CellSteps(double cell)
{
    std::vector<double> steps{cell, 2 * cell, 3 * cell};
    for (double step : kSteps) {
        const double ratio = step / cell;
        if (ratio > 3.5 && std::fabs(ratio - std::round(ratio)) < 1e-9)
            steps.push_back(step);
    }
    return steps;
}

// The first step giving 4 to 12 lines across the span, else the first
// giving at most 12.
double StepAcross(double span, const std::vector<double>& steps)
{
    for (double step : steps) {
        const int n = LineCount(span, step);
        if (n >= 4 && n <= 12)
            return step;
    }
    for (double step : steps) {
        if (LineCount(span, step) <= 12)
            return step;
    }
    return steps.back();
}

class Picture {
public:
    explicit Picture(const IndexMapFrame& f) : f_(f), project_(FrameRecord(f)) {}

    QPoint at(double lat, double lon) const
    {
        const TPixel p = project_(TGeoPoint{lat, lon});
        return {p.X, p.Y};
    }

    void drawCells(QPainter& painter) const
    {
        // Whole cells around the frame, so the ones it cuts are drawn too;
        // north of 60° two and four cells are joined, hence the 24° columns.
        const double south = std::max(-88.0, std::floor(f_.south / 4.0) * 4.0);
        const double north = std::min(88.0, std::ceil(f_.north / 4.0) * 4.0);
        const double west = std::max(-180.0, std::floor((f_.west + 180.0) / 24.0) * 24.0 - 180.0);
        const double east = std::min(180.0, std::ceil((f_.east + 180.0) / 24.0) * 24.0 - 180.0);
        const QRect image(0, 0, f_.width, f_.height);
        painter.setBrush(Qt::NoBrush);
        for (const SheetCell& cell : CellsInside(1000000, south, north, west, east)) {
            const QRect r = QRect(at(cell.north, cell.west), at(cell.south, cell.east)).normalized();
            const QRect shown = r.intersected(image);
            if (shown.isEmpty())
                continue;
            painter.setPen(QPen(kCellLine, std::max(1, f_.width / 2000)));
            painter.drawRect(r);
            // A background to the sheets, not a rival to their names.
            const QFont font = CellNameFont(std::min({r.height() / 10, shown.height() / 5, shown.width() / 8}));
            if (QFontMetrics(font).height() > r.height() / 10)
                continue;
            painter.setFont(font);
            painter.setPen(kCellName);
            painter.drawText(shown, Qt::AlignCenter, cell.name);
        }
    }

    void drawGraticule(QPainter& painter) const
    {
        const auto [latStep, lonStep] = GraticuleSteps(f_);
        const int labelPixels = std::max(10, f_.width / 110);
        const int pad = labelPixels / 3;
        painter.setFont(PixelFont(labelPixels));
        const QFontMetrics metrics(painter.font());
        for (double k = std::ceil(f_.west / lonStep); k * lonStep <= f_.east; ++k) {
            const double lon = k * lonStep;
            const int x = at(f_.north, lon).x();
            painter.setPen(QPen(kGraticule, std::max(1, f_.width / 1500)));
            painter.drawLine(x, 0, x, f_.height);
            const QString text = DegreeLabel(lon, 'E', 'W');
            painter.setPen(kLabel);
            painter.drawText(x + pad, pad + metrics.ascent(), text);
            painter.drawText(x + pad, f_.height - pad - metrics.descent(), text);
        }
        for (double k = std::ceil(f_.south / latStep); k * latStep <= f_.north; ++k) {
            const double lat = k * latStep;
            const int y = at(lat, f_.west).y();
            painter.setPen(QPen(kGraticule, std::max(1, f_.width / 1500)));
            painter.drawLine(0, y, f_.width, y);
            const QString text = DegreeLabel(lat, 'N', 'S');
            painter.setPen(kLabel);
            painter.drawText(pad, y - pad - metrics.descent(), text);
            painter.drawText(f_.width - pad - metrics.horizontalAdvance(text), y - pad - metrics.descent(), text);
        }
    }

private:
    const IndexMapFrame& f_;
    IndexProjection project_;
};

}  // namespace

double GraticuleStep(double span, double otherSpan)
{
    const auto fits = [](double s, double step) {
        const int n = LineCount(s, step);
        return n >= 4 && n <= 12;
    };
    for (double step : kSteps) {
        if (fits(span, step) && fits(otherSpan, step))
            return step;
    }
    for (double step : kSteps) {
        if (LineCount(span, step) <= 12)
            return step;
    }
    return kSteps[std::size(kSteps) - 1];
}

GraticuleSpacing GraticuleSteps(const IndexMapFrame& frame)
{
    const double spanLat = frame.north - frame.south;
    const double spanLon = frame.east - frame.west;
    if (frame.cellHeight > 0.0 && frame.cellWidth > 0.0)
        return {StepAcross(spanLat, CellSteps(frame.cellHeight)), StepAcross(spanLon, CellSteps(frame.cellWidth))};
    return {GraticuleStep(spanLat, spanLon), GraticuleStep(spanLon, spanLat)};
}

QImage DrawIndexMapPicture(const IndexMapFrame& frame)
{
    // Refused before any page is touched: memory the system only promised
    // would end the program when filled, not give a message.
    CheckImageFits(frame.width, frame.height, AvailableMemoryBytes());
    // Huge pages: a fresh image's first touch would cost more than the drawing.
    QImage image = NewRgb32Image(frame.width, frame.height);
    if (image.isNull())
        throw Errors::imageTooLarge(frame.width, frame.height, QStringLiteral("does not fit in memory"));
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const Picture picture(frame);
    picture.drawCells(painter);
    picture.drawGraticule(painter);
    return image;
}
