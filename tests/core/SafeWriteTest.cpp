// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program replaces a file, on a 64 KB tmpfs of the test's
// own: what it writes, what it keeps (a link, the permissions), and what a
// fault leaves (the old files as they were, no temporary beside them), for
// one file and for two that go together.

#include "ErrorText.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "core/SafeWrite.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Fault { None, FullDisk, ReadOnlyDisk, Immutable, FolderInPlace, Busy };

struct Row {
    const char* name;
    Fault fault;  // on b.txt, or on the whole disk
    std::vector<QString> replaced;
    int reason;  // the error's errno; 0 when the files are replaced
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

// The immutable attribute holds even for root, as a read-only file would not.
bool SetImmutable(const QByteArray& path, bool on)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

mode_t ModeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class SafeWrite : public ::testing::TestWithParam<Row> {
protected:
    ~SafeWrite() override
    {
        SetImmutable(disk + "/b.txt", false);
        if (bound)
            ::umount2(QFile::encodeName(file("b.txt")).constData(), MNT_DETACH);
        if (mounted)
            ::umount2(disk.constData(), MNT_DETACH);
    }
    QString file(const QString& name) const { return root.filePath("disk/" + name); }
    QStringList entries() const
    {
        return QDir(file(".")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir root;
    QByteArray disk = QFile::encodeName(root.filePath("disk"));
    bool mounted = false;
    bool bound = false;
};

TEST_P(SafeWrite, ReplacesEveryFileOrNone)
{
    const Row& row = GetParam();
    QDir(root.path()).mkpath("disk");
    mounted = ::mount("tmpfs", disk.constData(), "tmpfs", 0, "size=64k") == 0;
    if (!mounted)
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    testfiles::Write(file("a.txt"), "old a");
    ASSERT_EQ(::chmod(QFile::encodeName(file("a.txt")).constData(), 0640), 0);
    testfiles::Write(file("b.txt"), "old b");
    ASSERT_TRUE(QFile::link("a.txt", file("link")));
    const QStringList before = entries();

    std::vector<FileReplacement> files;
    for (const QString& name : row.replaced) {
        QByteArray bytes = "new " + name.toUtf8();
        if (row.fault == Fault::FullDisk && name == "b.txt") {
            QRandomGenerator random(7);
            bytes.resize(100000);
            random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        }
        files.push_back({file(name), bytes});
    }
    switch (row.fault) {
    case Fault::None:
    case Fault::FullDisk:
        break;
    case Fault::ReadOnlyDisk:
        ASSERT_EQ(::mount(nullptr, disk.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        break;
    case Fault::Immutable:
        if (!SetImmutable(disk + "/b.txt", true))
            GTEST_SKIP() << "no immutable attribute on tmpfs here";
        break;
    case Fault::FolderInPlace:
        QFile::remove(file("b.txt"));
        QDir().mkpath(file("b.txt"));
        testfiles::Write(file("b.txt/inside.txt"), "old b");
        break;
    case Fault::Busy:  // a mount point cannot be renamed over
        testfiles::Write(root.filePath("outside.txt"), "old b");
        bound = ::mount(QFile::encodeName(root.filePath("outside.txt")).constData(),
                        QFile::encodeName(file("b.txt")).constData(), nullptr, MS_BIND, nullptr) == 0;
        ASSERT_TRUE(bound);
        break;
    }

    const QString error = ErrorText([&] { files.size() == 1 ? ReplaceFileSafely(files[0].path, files[0].bytes)
                                                            : ReplaceFilesSafely(files); });
    if (row.reason == 0) {
        EXPECT_EQ(error, "");
        for (const FileReplacement& f : files)
            EXPECT_EQ(testfiles::Read(f.path), f.bytes);
        EXPECT_TRUE(QFileInfo(file("link")).isSymLink());
        EXPECT_EQ(ModeOf(file("a.txt")), 0640u);
        QStringList expected = before;
        if (QFile::exists(file("c.txt"))) {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            EXPECT_EQ(ModeOf(file("c.txt")), 0666u & ~mask);
            expected << "c.txt";
            expected.sort();
        }
        EXPECT_EQ(entries(), expected) << "no temporary file left";
        return;
    }
    EXPECT_EQ(error, row.fault == Fault::FullDisk ? Errors::systemReason(row.reason)
                                                  : Errors::cannotCreateFile(file("b.txt"), Errors::systemReason(row.reason)).text());
    EXPECT_EQ(testfiles::Read(file("a.txt")), "old a");
    EXPECT_EQ(testfiles::Read(file(row.fault == Fault::FolderInPlace ? "b.txt/inside.txt" : "b.txt")), "old b");
    EXPECT_EQ(entries(), before) << "no temporary file left";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SafeWrite,
    ::testing::Values(Row{"NewFile", Fault::None, {"c.txt"}, 0}, Row{"KeepsPermissions", Fault::None, {"a.txt"}, 0},
                      Row{"LinkStaysALink", Fault::None, {"link"}, 0}, Row{"TwoTogether", Fault::None, {"a.txt", "b.txt"}, 0},
                      Row{"FullDisk", Fault::FullDisk, {"b.txt"}, ENOSPC},
                      Row{"FullDiskForTheSecond", Fault::FullDisk, {"a.txt", "b.txt"}, ENOSPC},
                      Row{"ReadOnlyDisk", Fault::ReadOnlyDisk, {"b.txt"}, EROFS},
                      Row{"ImmutableFile", Fault::Immutable, {"a.txt", "b.txt"}, EPERM},
                      Row{"FolderInPlace", Fault::FolderInPlace, {"b.txt"}, EISDIR},
                      Row{"FolderInPlaceOfTheSecond", Fault::FolderInPlace, {"a.txt", "b.txt"}, EISDIR},
                      Row{"RenameRefused", Fault::Busy, {"b.txt"}, EBUSY},
                      Row{"RenameOfTheSecondRefused", Fault::Busy, {"a.txt", "b.txt"}, EBUSY}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
