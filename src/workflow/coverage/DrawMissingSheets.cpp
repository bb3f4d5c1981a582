// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/coverage/DrawMissingSheets.h"

#include "imaging/AlphaText.h"
#include "imaging/BorderDrawing.h"
#include "core/Numbers.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/newindex/IndexProjection.h"

#include <algorithm>

StepOutcome DrawMissingSheets(Workspace& ws, int scale, const MissingSheetStyle& style,
                              const std::function<bool(std::size_t)>& proceed)
{
    if (!ws.data.IndexMap.IsOk || ws.data.GoodMapsCount <= 0)
        return StepOutcome::Completed;

    const int32_t width = StrToInt(style.widthText);
    const CoverageReport report = ComputeCoverage(ws.data, scale);
    if (proceed && !proceed(report.missing.size()))
        return StepOutcome::Stopped;
    // Every position first: a projection fault leaves the image untouched.
    const IndexProjection project(ws.data.IndexMap);
    std::vector<QPolygon> outlines;
    std::vector<TPixel> centers;
    for (std::size_t k : report.missing) {
        const auto [nw, ne, se, sw] = CellPixels(project, report.inside[k]);
        outlines.push_back(QPolygon({QPoint(nw.X, nw.Y), QPoint(ne.X, ne.Y), QPoint(se.X, se.Y), QPoint(sw.X, sw.Y)}));
        centers.push_back(TPixel{static_cast<int32_t>((int64_t{nw.X} + se.X) / 2),
                                 static_cast<int32_t>((int64_t{nw.Y} + se.Y) / 2)});
    }

    if (width >= 0)
        ws.penWidth = width;
    // Told apart from the sheets at any zoom, where dashes blur into a line:
    // paler, thinner, and named in italic.
    const auto paler = [](int channel) { return channel + (255 - channel) / 2; };
    const QColor line(paler(style.lineColor.red()), paler(style.lineColor.green()), paler(style.lineColor.blue()));
    DrawBorderPolygons(ws.workingImage, outlines, BorderStyle{line, std::max(1, ws.penWidth / 2), false, true});
    QFont font = style.font;
    font.setItalic(true);
    const quint8 alpha = OpacityAlpha(style.opacityPosition);
    for (std::size_t m = 0; m < report.missing.size(); ++m) {
        // An italic last letter leans past its advance, out of the text box:
        // a thin space after it gives it room.
        const QString name = report.inside[report.missing[m]].name + QChar(0x2009);
        const TPixel corner = CenteredTextCorner(centers[m], TextBoxSize(font, name));
        DrawAlphaText(ws.workingImage, font, style.nameColor, alpha, corner.X, corner.Y, name);
    }

    ws.commands.apply(Transition::MissingSheetsDrawn);
    return StepOutcome::Completed;
}
