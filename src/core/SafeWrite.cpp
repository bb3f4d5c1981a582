// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SafeWrite.h"

#include "core/Errors.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor and removes the temporary file unless released.
class TemporaryFile {
public:
    TemporaryFile(int fd, QByteArray path) : fd_(fd), path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.isEmpty())
            ::unlink(path_.constData());
    }
    const QByteArray& path() const { return path_; }
    // Closing can report a delayed write error (NFS, quotas).
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    void release() { path_.clear(); }
    void reset(QByteArray path) { path_ = std::move(path); }

private:
    int fd_;
    QByteArray path_;
};

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : (slash == 0 ? QByteArray("/") : path.left(slash));
}

void WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(std::min<qsizetype>(left, 1 << 30)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw TessError(Errors::systemReason(errno));
        }
        data += written;
        left -= written;
    }
}

// One file written beside its target, not yet renamed over it.
struct Staged {
    QString path;       // as the caller named it, for messages
    QByteArray target;  // where the bytes go: a link's own file
    bool existed = false;
    TemporaryFile temp;
    // The old file under another name until every file is in place: a hard
    // link, or the file itself moved aside where links are not supported.
    TemporaryFile backup{-1, {}};
    bool movedAside = false;
    bool renamed = false;
};

QByteArray HiddenNameBeside(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return target.left(slash + 1) + '.' + target.mid(slash + 1) + ".XXXXXX";
}

std::unique_ptr<Staged> Stage(const QString& path, const QByteArray& bytes)
{
    // A link stays a link: the file it leads to is the one replaced.
    const QFileInfo info(path);
    const QString resolved = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    const QByteArray native = QFile::encodeName(resolved);
    struct stat original {};
    const bool exists = ::stat(native.constData(), &original) == 0;
    if (exists && S_ISDIR(original.st_mode))
        throw Errors::cannotCreateFile(path, Errors::systemReason(EISDIR));
    // A file its owner made read-only stays untouched, as it would were it
    // opened for writing in place.
    if (exists && ::access(native.constData(), W_OK) != 0)
        throw Errors::cannotCreateFile(path, Errors::systemReason(errno));

    QByteArray pattern = HiddenNameBeside(native);
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        throw Errors::cannotCreateFile(path, Errors::systemReason(errno));
    auto staged = std::unique_ptr<Staged>(new Staged{path, native, exists, TemporaryFile(fd, pattern)});

    mode_t mode = 0;
    if (exists) {
        mode = original.st_mode & 07777;
        // Keeping the owner needs privileges; the mode is what matters.
        [[maybe_unused]] const int ignored = ::fchown(fd, original.st_uid, original.st_gid);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0)
        throw Errors::cannotCreateFile(path, Errors::systemReason(errno));

    WriteAll(fd, bytes);
    if (::fsync(fd) != 0 || staged->temp.close() != 0)
        throw TessError(Errors::systemReason(errno));
    return staged;
}

void KeepOldFile(Staged& s)
{
    QByteArray name = HiddenNameBeside(s.target);
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        throw Errors::cannotCreateFile(s.path, Errors::systemReason(errno));
    ::close(fd);
    s.backup.reset(name);
    ::unlink(name.constData());
    if (::link(s.target.constData(), name.constData()) == 0)
        return;
    if (::rename(s.target.constData(), name.constData()) != 0)
        throw Errors::cannotCreateFile(s.path, Errors::systemReason(errno));
    s.movedAside = true;
}

// Every file as it was: the old ones back in place, the new ones gone.
void PutBack(std::vector<std::unique_ptr<Staged>>& files)
{
    for (auto& s : files) {
        if (s->movedAside || (s->renamed && s->existed)) {
            if (::rename(s->backup.path().constData(), s->target.constData()) == 0)
                s->backup.release();
        } else if (s->renamed) {
            ::unlink(s->target.constData());
        }
    }
}

void SyncFolderOf(const QByteArray& path)
{
    const int dir = ::open(FolderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace

void ReplaceFileSafely(const QString& path, const QByteArray& bytes) { ReplaceFilesSafely({{path, bytes}}); }

void ReplaceFilesSafely(const std::vector<FileReplacement>& files)
{
    std::vector<std::unique_ptr<Staged>> staged;
    for (const FileReplacement& f : files)
        staged.push_back(Stage(f.path, f.bytes));
    // One file alone is replaced by its rename: nothing to put back.
    const bool together = staged.size() > 1;
    try {
        for (auto& s : staged) {
            if (together && s->existed)
                KeepOldFile(*s);
            if (::rename(s->temp.path().constData(), s->target.constData()) != 0)
                throw Errors::cannotCreateFile(s->path, Errors::systemReason(errno));
            s->temp.release();
            s->renamed = true;
        }
    } catch (const TessError&) {
        PutBack(staged);
        throw;
    }
    // The renames themselves reach the disk with their folders; the old
    // files' other names go with the staged records.
    for (auto& s : staged)
        SyncFolderOf(s->target);
}

void MakeFolders(const QString& dir)
{
    const QByteArray native = QFile::encodeName(dir);
    for (qsizetype end = 1; end <= native.size(); ++end) {
        if (end < native.size() && native[end] != '/')
            continue;
        // A folder that is there already says EEXIST before any other
        // reason; a file of that name is caught below or by the next one.
        if (::mkdir(native.left(end).constData(), 0777) != 0 && errno != EEXIST)
            throw Errors::cannotCreateFile(dir, Errors::systemReason(errno));
    }
    struct stat made {};
    if (::stat(native.constData(), &made) != 0)
        throw Errors::cannotCreateFile(dir, Errors::systemReason(errno));
    if (!S_ISDIR(made.st_mode))
        throw Errors::cannotCreateFile(dir, Errors::systemReason(ENOTDIR));
}
