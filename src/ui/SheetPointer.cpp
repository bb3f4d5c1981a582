// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SheetPointer.h"

#include "ui/ImageView.h"
#include "workflow/web/SheetHits.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

std::vector<std::size_t> TSheetPointer::sheetsAt(QPointF viewPoint)
{
    const std::size_t key = OutlinesKey(data_.Maps);
    if (!hits_ || key != hitsKey_) {
        hits_.emplace(data_.Maps);
        hitsKey_ = key;
    }
    const double zoom = view_->zoom();
    return hits_->at(viewPoint.x() / zoom, viewPoint.y() / zoom);
}

TSheetPointer::TSheetPointer(TImageView* view, const MapData& data, std::function<int()> nameSource,
                             std::function<void(std::size_t)> open)
    : QObject(view), view_(view), data_(data), nameSource_(std::move(nameSource)), open_(std::move(open))
{
    view->installEventFilter(this);
}

bool TSheetPointer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != view_)
        return false;
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto sheets = sheetsAt(help->pos());
        if (sheets.empty()) {
            QToolTip::hideText();
            return true;
        }
        // Rich text with every name escaped: a name never becomes markup.
        QStringList lines = DescribeSheets(data_, sheets, nameSource_());
        for (QString& line : lines)
            line = line.toHtmlEscaped();
        QToolTip::showText(help->globalPos(), QStringLiteral("<p style='white-space:pre'>%1</p>").arg(lines.join(u"<br>")),
                           view_);
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const auto sheets = sheetsAt(mouse->position());
        if (!sheets.empty())
            open_(sheets.front());
    }
    return false;
}
