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
#include <optional>
#include <vector>

namespace {

constexpr double kSteps[] = {0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.25, 0.5,
                             1,     2,     5,     10,   15,   20,   30,  45,  60,   90};

int LineCount(double span, double step) { return static_cast<int>(std::floor(span / step)) + 1; }

const QColor kCellName(0xcf, 0xb8, 0x9f);
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

// Where a name `size` long is centred between `lo` and `hi` so that no line
// at `lines` crosses it or comes within `pad`: the middle, else the middle of
// the stretch between lines that holds it nearest to the middle. None when
// no stretch holds it.
std::optional<int> CentreClearOfLines(int lo, int hi, int size, const std::vector<int>& lines, int pad)
{
    const int middle = lo + (hi - lo) / 2;
    const auto crossed = [&](int centre) {
        const int start = centre - size / 2 - pad;
        const int end = start + size + 2 * pad;
        return std::any_of(lines.begin(), lines.end(), [&](int v) { return v >= start && v <= end; });
    };
    if (!crossed(middle))
        return middle;
    std::vector<int> cuts{lo, hi};
    for (int v : lines) {
        if (v > lo && v < hi)
            cuts.push_back(v);
    }
    std::sort(cuts.begin(), cuts.end());
    std::optional<int> best;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
        const int centre = cuts[k] + (cuts[k + 1] - cuts[k]) / 2;
        if (cuts[k + 1] - cuts[k] > size + 2 * pad + 2 && !crossed(centre) &&
            (!best || std::abs(centre - middle) < std::abs(*best - middle)))
            best = centre;
    }
    return best;
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
    explicit Picture(const IndexMapFrame& f) : f_(f), project_(FrameRecord(f))
    {
        const auto [latStep, lonStep] = GraticuleSteps(f_);
        for (double k = std::ceil(f_.west / lonStep); k * lonStep <= f_.east; ++k)
            lons_.push_back(k * lonStep);
        for (double k = std::ceil(f_.south / latStep); k * latStep <= f_.north; ++k)
            lats_.push_back(k * latStep);
        for (double lon : lons_)
            xs_.push_back(at(f_.north, lon).x());
        for (double lat : lats_)
            ys_.push_back(at(lat, f_.west).y());
    }

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
            painter.setPen(QPen(QColor::fromRgb(kCellLineColor), std::max(1, f_.width / 2000)));
            painter.drawRect(r);
            // A background to the sheets, not a rival to their names; never
            // on a graticule line, where it would be read as the line's label.
            const QFont font = CellNameFont(std::min({r.height() / 10, shown.height() / 5, shown.width() / 8}));
            const QFontMetrics metrics(font);
            if (metrics.height() > r.height() / 10)
                continue;
            const QSize size(metrics.horizontalAdvance(cell.name), metrics.height());
            const int pad = std::max(4, size.height() / 4);
            const auto x = CentreClearOfLines(shown.left(), shown.right(), size.width(), xs_, pad);
            const auto y = CentreClearOfLines(shown.top(), shown.bottom(), size.height(), ys_, pad);
            if (!x || !y)
                continue;
            painter.setFont(font);
            painter.setPen(kCellName);
            painter.drawText(QRect(QPoint(*x - size.width() / 2, *y - size.height() / 2), size), Qt::AlignCenter,
                             cell.name);
        }
    }

    void drawGraticule(QPainter& painter) const
    {
        const int labelPixels = std::max(10, f_.width / 110);
        const int pad = labelPixels / 3;
        painter.setFont(PixelFont(labelPixels));
        const QFontMetrics metrics(painter.font());
        // One pixel wide: a sheet's border of any width covers it.
        const QPen line(QColor::fromRgb(kGraticuleColor), 1);
        for (std::size_t k = 0; k < lons_.size(); ++k) {
            const double lon = lons_[k];
            const int x = xs_[k];
            painter.setPen(line);
            painter.drawLine(x, 0, x, f_.height);
            const QString text = DegreeLabel(lon, 'E', 'W');
            painter.setPen(kLabel);
            painter.drawText(x + pad, pad + metrics.ascent(), text);
            painter.drawText(x + pad, f_.height - pad - metrics.descent(), text);
        }
        for (std::size_t k = 0; k < lats_.size(); ++k) {
            const double lat = lats_[k];
            const int y = ys_[k];
            painter.setPen(line);
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
    std::vector<double> lons_, lats_;  // the graticule's lines
    std::vector<int> xs_, ys_;         // and where they fall on the image
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
    image.fill(QColor::fromRgb(kIndexBackground));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const Picture picture(frame);
    picture.drawCells(painter);
    picture.drawGraticule(painter);
    return image;
}
