// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BinaryFile.h"

#include "core/Errors.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QByteArray ReadBinaryFile(const QString& path) { return ReadBinaryFile(QFile::encodeName(path), path); }

QByteArray ReadBinaryFile(const QByteArray& nativePath, const QString& shownPath)
{
    // POSIX calls rather than QFile: the message carries the system's own
    // reason, which only errno gives. A named pipe must not wait for a
    // writer: it reads as what it holds now; regular files ignore the flag.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw Errors::cannotOpenFile(shownPath, Errors::systemReason(errno));
    QFile owner;  // closes the descriptor however this ends
    owner.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw Errors::cannotOpenFile(shownPath, Errors::systemReason(errno));
    if (S_ISDIR(info.st_mode))
        throw Errors::cannotOpenFile(shownPath, Errors::systemReason(EISDIR));
    QByteArray bytes;
    if (S_ISREG(info.st_mode))
        bytes.reserve(static_cast<qsizetype>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Errors::cannotOpenFile(shownPath, Errors::systemReason(errno));
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    return bytes;
}
