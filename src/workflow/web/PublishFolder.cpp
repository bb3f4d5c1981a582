// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/PublishFolder.h"

#include "core/Errors.h"
#include "workflow/ParallelJobs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw Errors::cannotCreateFile(path, Errors::systemReason(errno));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw TessError(Errors::systemReason(error));
        }
        done += n;
    }
    if (::close(fd) != 0)
        throw TessError(Errors::systemReason(errno));
}

// Once for all the folders' files, rather than thousands of fsync calls.
void SyncFileSystemOf(const QString& dir)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    const int result = ::syncfs(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0)
        throw TessError(Errors::systemReason(error));
}

void Rename(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw Errors::cannotCreateFile(to, Errors::systemReason(errno));
}

// One folder written under a hidden name, then put in its place; the old
// one then waits under the hidden name until everything is in place.
struct FolderSwap {
    QString target;
    StagedFolder* staged;
    bool hadOld = false;
    bool swapped = false;
};

void SwapIn(FolderSwap& s)
{
    const QFileInfo old(s.target);
    if (old.exists() || old.isSymLink()) {
        if (!old.isDir() || old.isSymLink())
            throw Errors::cannotCreateFile(s.target, Errors::systemReason(EEXIST));
        // The old folder goes aside first; rename(2) does not replace a
        // folder that holds files.
        const QString aside = s.staged->path() + QStringLiteral(".old");
        Rename(s.target, aside);
        try {
            Rename(s.staged->path(), s.target);
        } catch (...) {
            Rename(aside, s.target);
            throw;
        }
        Rename(aside, s.staged->path());  // the old one is removed with the hidden name
        s.hadOld = true;
    } else {
        Rename(s.staged->path(), s.target);
        QDir().mkdir(s.staged->path());  // so that undoing has a name to return to
    }
    s.swapped = true;
}

void SwapBack(FolderSwap& s)
{
    if (!s.swapped)
        return;
    const QString aside = s.staged->path() + QStringLiteral(".new");
    if (::rename(QFile::encodeName(s.target).constData(), QFile::encodeName(aside).constData()) != 0)
        return;
    if (s.hadOld)
        ::rename(QFile::encodeName(s.staged->path()).constData(), QFile::encodeName(s.target).constData());
    QDir(aside).removeRecursively();
}

}  // namespace

StagedFolder::StagedFolder(const QString& dir, const QString& name) : name_(name)
{
    QByteArray pattern = QFile::encodeName(QDir(dir).filePath(u'.' + name + QStringLiteral(".XXXXXX")));
    if (!::mkdtemp(pattern.data()))
        throw Errors::cannotCreateFile(QDir(dir).filePath(name), Errors::systemReason(errno));
    path_ = QFile::decodeName(pattern);
}

StagedFolder::~StagedFolder() { QDir(path_).removeRecursively(); }

void StagedFolder::write(const QString& relativePath, const QByteArray& bytes)
{
    const QString path = path_ + u'/' + relativePath;
    const QString folder = QFileInfo(path).path();
    {
        const std::lock_guard lock(mutex_);
        if (!made_.contains(folder)) {
            if (!QDir().mkpath(folder))
                throw Errors::cannotCreateFile(folder, QStringLiteral("Not a folder"));
            made_.insert(folder);
        }
    }
    WriteFile(path, bytes);
}

void StagedFolder::writeAll(const std::vector<FileReplacement>& files)
{
    RunInParallel(files.size(), [&](std::size_t i) { write(files[i].path, files[i].bytes); }, {}, QString(), 0, 0);
}

void ReplacePublishedFiles(const QString& dir, const std::vector<StagedFolder*>& folders,
                           const std::vector<FileReplacement>& files)
{
    std::vector<FolderSwap> swaps;
    for (StagedFolder* folder : folders)
        swaps.push_back({QDir(dir).filePath(folder->name()), folder});
    SyncFileSystemOf(dir);
    std::vector<FileReplacement> inDir;
    for (const FileReplacement& f : files)
        inDir.push_back({QDir(dir).filePath(f.path), f.bytes});
    try {
        for (FolderSwap& s : swaps)
            SwapIn(s);
        ReplaceFilesSafely(inDir);
    } catch (...) {
        for (auto s = swaps.rbegin(); s != swaps.rend(); ++s)
            SwapBack(*s);
        throw;
    }
}
