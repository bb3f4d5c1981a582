// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workflow/Progress.h"
#include "workflow/web/PublishFolder.h"

#include <QImage>

#include <atomic>
#include <future>

// The overview's tiles, written into a staged "tiles" folder of `dir`:
// either when finish() asks for them, or at once in a thread of their own
// while the caller does other work with the same picture (progress is then
// asked from that thread).
class TileFolder {
public:
    enum class When { OnFinish, InBackground };
    TileFolder(const QString& dir, const QImage& overview, const ProgressFunction& progress, qint64 total, When when);
    TileFolder(const TileFolder&) = delete;
    TileFolder& operator=(const TileFolder&) = delete;
    // Work not asked for stops at the next tile; the folder goes with it.
    ~TileFolder();

    // True when every tile is written, false when progress cancelled them;
    // a failure to write one is thrown again here. Once only.
    bool finish() { return made_.get(); }

    StagedFolder& folder() { return folder_; }

private:
    StagedFolder folder_;
    std::atomic<bool> abandon_{false};
    std::future<bool> made_;
};
