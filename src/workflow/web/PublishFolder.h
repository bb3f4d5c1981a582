// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SafeWrite.h"

#include <QSet>
#include <QString>

#include <mutex>
#include <vector>

// A folder that a publish writes whole, to replace everything the folder
// `name` of `dir` held before: written file by file under a hidden name
// beside it (so that thousands of files need not wait in memory), and
// removed with what it holds unless ReplacePublishedFiles put it in place.
class StagedFolder {
public:
    StagedFolder(const QString& dir, const QString& name);
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;
    ~StagedFolder();

    // A file at a path relative to the folder, its subfolders made as
    // needed; from any number of threads at once, each its own file.
    void write(const QString& relativePath, const QByteArray& bytes);
    // Many files, on every core.
    void writeAll(const std::vector<FileReplacement>& files);

    const QString& name() const { return name_; }
    const QString& path() const { return path_; }

private:
    QString name_;
    QString path_;
    std::mutex mutex_;
    QSet<QString> made_;  // subfolders made so far
};

// Puts `folders` in place in `dir` and writes `files` (paths relative to
// `dir`) there: every one is replaced, or, when anything fails, none, and
// no temporary file or folder stays behind. The folders are swapped in by
// renames; the files go through ReplaceFilesSafely. Files and folders of
// `dir` not named stay untouched.
void ReplacePublishedFiles(const QString& dir, const std::vector<StagedFolder*>& folders,
                           const std::vector<FileReplacement>& files);
