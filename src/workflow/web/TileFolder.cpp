// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/TileFolder.h"

#include "workflow/web/OverviewTiles.h"

#include <chrono>

TileFolder::TileFolder(const QString& dir, const QImage& overview, const ProgressFunction& progress, qint64 total,
                       When when)
    : folder_(dir, QStringLiteral("tiles"))
{
    made_ = std::async(when == When::InBackground ? std::launch::async : std::launch::deferred,
                       [this, overview, progress, total] {
                           const auto ask = [&](const QString& what, qint64 done, qint64 all) {
                               return !abandon_ && (!progress || progress(what, done, all));
                           };
                           return MakeOverviewTiles(overview, ask, total, [this](const QString& name, const QByteArray& jpeg) {
                               folder_.write(name, jpeg);
                           });
                       });
}

TileFolder::~TileFolder()
{
    abandon_ = true;
    // Work that was deferred and never asked for has nothing to wait for.
    if (made_.valid() && made_.wait_for(std::chrono::seconds(0)) != std::future_status::deferred)
        made_.wait();
}
