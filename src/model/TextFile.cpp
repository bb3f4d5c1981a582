#include "model/TextFile.h"

#include "model/Errors.h"
#include "model/TextDecoding.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QStringList SplitTextLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(text.sliced(start, i - start));
            i += (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(text.sliced(start));
    return lines;
}

QStringList BytesToLines(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return SplitTextLines(DecodeMapText(nul < 0 ? bytes : bytes.left(nul)));
}

QStringList ReadTextLines(const QString& path) { return ReadTextLines(QFile::encodeName(path), path); }

QStringList ReadTextLines(const QByteArray& nativePath, const QString& path)
{
    // POSIX calls rather than QFile: the message carries the system's own
    // reason, which only errno gives.
    // A named pipe in the maps folder must not wait for a writer: it reads
    // as what it holds now. Regular files ignore the flag.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw Errors::cannotOpenFile(path, Errors::systemReason(errno));
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
        throw Errors::cannotOpenFile(path, Errors::systemReason(EISDIR));
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw Errors::cannotOpenFile(path, Errors::systemReason(errno));
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    return BytesToLines(bytes);
}
