// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/PublishFolder.h"

#include "core/Errors.h"
#include "workflow/web/ParallelJobs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// A hidden folder beside `target`, removed with what it holds unless kept.
class HiddenFolder {
public:
    HiddenFolder(const QString& dir, const QString& name)
    {
        QByteArray pattern = QFile::encodeName(QDir(dir).filePath(u'.' + name + QStringLiteral(".XXXXXX")));
        if (!::mkdtemp(pattern.data()))
            throw Errors::cannotCreateFile(QDir(dir).filePath(name), Errors::systemReason(errno));
        path_ = QFile::decodeName(pattern);
    }
    HiddenFolder(const HiddenFolder&) = delete;
    HiddenFolder& operator=(const HiddenFolder&) = delete;
    ~HiddenFolder()
    {
        if (!path_.isEmpty())
            QDir(path_).removeRecursively();
    }
    const QString& path() const { return path_; }

private:
    QString path_;
};

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

// The folders first, then the files on every core: thousands of small
// files cost their creation more than their bytes.
void WriteFolder(const QString& root, const std::vector<FileReplacement>& files)
{
    const QDir dir(root);
    QString madeFolder;  // the last one, as files come grouped by folder
    std::vector<QString> paths;
    for (const FileReplacement& f : files) {
        paths.push_back(dir.filePath(f.path));
        const QString folder = QFileInfo(paths.back()).path();
        if (folder != madeFolder) {
            if (!QDir().mkpath(folder))
                throw Errors::cannotCreateFile(folder, QStringLiteral("Not a folder"));
            madeFolder = folder;
        }
    }
    RunInParallel(files.size(), [&](std::size_t i) { WriteFile(paths[i], files[i].bytes); }, {}, QString(), 0, 0);
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
    std::unique_ptr<HiddenFolder> staged;
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

void ReplacePublishedFiles(const QString& dir, const std::vector<PublishedFolder>& folders,
                           const std::vector<FileReplacement>& files)
{
    std::vector<FolderSwap> swaps;
    for (const PublishedFolder& folder : folders) {
        FolderSwap s{QDir(dir).filePath(folder.name), std::make_unique<HiddenFolder>(dir, folder.name)};
        WriteFolder(s.staged->path(), folder.files);
        swaps.push_back(std::move(s));
    }
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
