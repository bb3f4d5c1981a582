// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/web/SheetHits.h"

#include <QObject>
#include <QPointF>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class TImageView;

// The sheets under the pointer on the image view: a tooltip naming every
// one, topmost first, and a double-click handing the topmost to `open`.
// Watches the view's events and takes none it does not answer, so dragging
// stays as it is.
class TSheetPointer final : public QObject {
public:
    TSheetPointer(TImageView* view, const MapData& data, std::function<int()> nameSource,
                  std::function<void(std::size_t)> open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::size_t> sheetsAt(QPointF viewPoint);

    TImageView* view_;
    const MapData& data_;
    std::function<int()> nameSource_;
    std::function<void(std::size_t)> open_;
    // Made again only when the outlines changed.
    std::optional<SheetHits> hits_;
    std::size_t hitsKey_ = 0;
};
