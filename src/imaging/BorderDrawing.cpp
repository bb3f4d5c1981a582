// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/BorderDrawing.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

void DrawBorderPolygons(QImage& image, const std::vector<QPolygon>& polygons, const BorderStyle& style)
{
    if (image.isNull())
        return;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A wide pen ends its lines and meets its corners in round shapes, as
    // the platform's geometric pens do.
    QPen pen(style.color, style.width, style.dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    // Qt's forward-diagonal pattern is the 8 × 8 hatch with x ≡ y (mod 8),
    // drawn only where its bits are set while the background mode stays
    // transparent.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrushOrigin(0, 0);
    painter.setBrush(style.hatch ? QBrush(style.color, Qt::FDiagPattern) : QBrush(Qt::NoBrush));
    for (const QPolygon& polygon : polygons) {
        if (polygon.isEmpty())
            continue;
        painter.drawPolygon(polygon, Qt::OddEvenFill);
        // Qt's one-pixel lines leave out a corner's own pixel where the
        // outline turns back sharply; every corner lies on the line.
        if (style.width <= 1 && !style.dashed)
            painter.drawPoints(polygon);
    }
}
