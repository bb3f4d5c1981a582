// SPDX-License-Identifier: GPL-3.0-or-later
// A save that fails (a full disk, a read-only disk or file, a folder in
// place of the image) leaves the file or folder as it was, no temporary file
// beside it, and Undo returning to the image as loaded. The disk faults run
// on a 64 KB tmpfs of the test's own.

#include "ErrorText.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "imaging/JpegCodec.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/panel/SaveJpg.h"
#include "workflow/panel/Undo.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

enum class Fault { FullDisk, ReadOnlyDisk, ReadOnlyFile, FolderInPlace };

// The immutable attribute holds even for root, as a read-only file would not.
bool SetImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

class FailedSave : public ::testing::TestWithParam<Fault> {
protected:
    ~FailedSave() override
    {
        SetImmutable(target, false);
        if (mounted)
            ::umount2(disk.constData(), MNT_DETACH);
    }

    QTemporaryDir root;
    QByteArray disk = QFile::encodeName(root.filePath("disk"));
    QString target = root.filePath("disk/index.jpg");
    bool mounted = false;
    MemoryLog log;
    Workspace ws{log, "."};
};

TEST_P(FailedSave, LeavesTheFileAndWhatUndoReturnsTo)
{
    const Fault fault = GetParam();
    QDir(root.path()).mkpath("disk");
    QDir(root.path()).mkpath("maps");
    if (fault == Fault::FullDisk || fault == Fault::ReadOnlyDisk) {
        mounted = ::mount("tmpfs", disk.constData(), "tmpfs", 0, "size=64k") == 0;
        if (!mounted)
            GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    }
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(qRgb(200, 220, 240));
    const QByteArray original = EncodeJpeg(image);
    testfiles::Write(target, original);
    const QString index = root.filePath("index.map");
    testfiles::Write(index, testfiles::IndexMap(target, 300, 300, 60, 50, 30, 40));
    testfiles::Write(root.filePath("maps/a.map"), testfiles::Sheet("A", "a.jpg", {{31, 59}, {32, 59}, {32, 58}}));
    QString maps = root.filePath("maps");
    Analyze(ws, maps, index);
    ASSERT_EQ(LoadImage(ws, index), StepOutcome::Completed);
    const QImage loaded = ws.workingImage;
    QRandomGenerator random(7);  // noise, which does not fit in 64 KB
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            ws.workingImage.setPixel(x, y, random.generate() | 0xff000000u);
    ws.commands.apply(Transition::BordersDrawn);

    int reason = ENOSPC;
    if (fault == Fault::ReadOnlyDisk) {
        ASSERT_EQ(::mount(nullptr, disk.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        reason = EROFS;
    } else if (fault == Fault::ReadOnlyFile) {
        if (!SetImmutable(target, true))
            GTEST_SKIP() << "no immutable attribute here: root writes read-only files";
        reason = EPERM;
    } else if (fault == Fault::FolderInPlace) {
        QFile::remove(target);
        QDir().mkpath(target);
        testfiles::Write(target + "/inside.txt", original);
        reason = EISDIR;
    }
    EXPECT_EQ(ErrorText([&] { SaveJpg(ws); }), fault == Fault::FullDisk ? Errors::systemReason(reason)
                                                                        : Errors::cannotCreateFile(target, Errors::systemReason(reason)).text());
    EXPECT_EQ(testfiles::Read(fault == Fault::FolderInPlace ? target + "/inside.txt" : target), original);
    EXPECT_EQ(QDir(root.filePath("disk")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"index.jpg"});
    EXPECT_TRUE(ws.commands.enabled(Command::Save));
    EXPECT_EQ(Undo(ws), StepOutcome::Completed);
    EXPECT_EQ(ws.workingImage, loaded);
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedSave,
                         ::testing::Values(Fault::FullDisk, Fault::ReadOnlyDisk, Fault::ReadOnlyFile, Fault::FolderInPlace));

}  // namespace
