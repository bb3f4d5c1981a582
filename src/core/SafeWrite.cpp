// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SafeWrite.h"

#include "core/Errors.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
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
    int fd() const { return fd_; }
    const QByteArray& path() const { return path_; }
    // Closing can report a delayed write error (NFS, quotas).
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    void release() { path_.clear(); }

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

}  // namespace

void ReplaceFileSafely(const QString& path, const QByteArray& bytes)
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

    const qsizetype slash = native.lastIndexOf('/');
    QByteArray pattern = native.left(slash + 1) + '.' + native.mid(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        throw Errors::cannotCreateFile(path, Errors::systemReason(errno));
    TemporaryFile temp(fd, pattern);

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
    if (::fsync(fd) != 0 || temp.close() != 0)
        throw TessError(Errors::systemReason(errno));
    if (::rename(temp.path().constData(), native.constData()) != 0)
        throw Errors::cannotCreateFile(path, Errors::systemReason(errno));
    temp.release();

    // The rename itself reaches the disk with the folder.
    const int dir = ::open(FolderOf(native).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}
