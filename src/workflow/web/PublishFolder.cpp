// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/web/PublishFolder.h"

#include "core/Errors.h"

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
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        throw Errors::cannotCreateFile(path, file.errorString());
}

void WriteFolder(const QString& root, const std::vector<FileReplacement>& files)
{
    const QDir dir(root);
    QString madeFolder;  // the last one, as files come grouped by folder
    for (const FileReplacement& f : files) {
        const QString path = dir.filePath(f.path);
        const QString folder = QFileInfo(path).path();
        if (folder != madeFolder) {
            if (!QDir().mkpath(folder))
                throw Errors::cannotCreateFile(folder, QStringLiteral("Not a folder"));
            madeFolder = folder;
        }
        WriteFile(path, f.bytes);
    }
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
