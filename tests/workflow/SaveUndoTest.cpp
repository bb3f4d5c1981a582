#include "QtPrint.h"
#include "ErrorText.h"
#include "IndexImageFixture.h"
#include "workflow/SaveJpg.h"
#include "workflow/Undo.h"

#include <QPainter>
#include <QRandomGenerator>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testfiles::IndexImageTest;

using testfiles::Read;

// Stands for Draw borders: marks the working image and enables Undo and Save.
void Draw(Workspace& ws, QColor color = Qt::red)
{
    QPainter painter(&ws.workingImage);
    painter.fillRect(QRect(5, 5, 20, 10), color);
    painter.end();
    ws.commands.apply(Transition::BordersDrawn);
}

class SaveUndoTest : public IndexImageTest {
protected:
    void SetUp() override
    {
        IndexImageTest::SetUp();
        prepare("index.jpg");
        ASSERT_EQ(LoadImage(ws, indexFile), StepOutcome::Completed);
        loaded = ws.workingImage;
        log.entries.clear();
        log.pendingEventCalls = 0;
    }
    QImage loaded;
};

TEST_F(SaveUndoTest, UndoReturnsToTheLoadedImagePixelForPixelOrLogsItsFailure)
{
    Draw(ws);
    const QImage drawn = ws.workingImage;
    const QByteArray base = ws.baseImage;
    ws.baseImage.truncate(base.size() / 2);
    EXPECT_EQ(Undo(ws), StepOutcome::Stopped);
    ASSERT_EQ(log.entries.size(), 2);
    EXPECT_EQ(log.entries[0], "");
    EXPECT_TRUE(log.entries[1].startsWith("Failed to undo. Error message:\nJPEG error #")) << log.entries[1].toStdString();
    EXPECT_EQ(ws.workingImage, drawn);
    EXPECT_TRUE(ws.commands.enabled(Command::Undo));
    EXPECT_TRUE(ws.commands.enabled(Command::Save));

    ws.baseImage = base;
    log.entries.clear();
    Draw(ws, Qt::blue);
    EXPECT_EQ(Undo(ws), StepOutcome::Completed);
    EXPECT_EQ(ws.workingImage, loaded);
    EXPECT_EQ(ws.workingImage.format(), QImage::Format_RGB32);
    EXPECT_TRUE(log.entries.isEmpty());
    EXPECT_TRUE(ws.commands.enabled(Command::Draw));
    EXPECT_TRUE(ws.commands.enabled(Command::Names));
    EXPECT_FALSE(ws.commands.enabled(Command::Undo));
    EXPECT_FALSE(ws.commands.enabled(Command::Save));
}

TEST_F(SaveUndoTest, SaveWritesTheDrawingOverTheIndexImage)
{
    const QString target = folder + "/index.jpg";
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    Draw(ws);
    const QImage drawn = ws.workingImage;
    // Save writes where Load image found the file, whatever the index map says now.
    testfiles::Write(indexFile, testfiles::IndexMap("other.jpg", 1, 1, 60, 50, 30, 40));

    EXPECT_EQ(SaveJpg(ws), StepOutcome::Completed);
    EXPECT_EQ(log.entries, (QStringList{"", "Saving JPG...", "Saved"}));
    EXPECT_EQ(log.pendingEventCalls, 1);
    const QByteArray saved = Read(target);
    EXPECT_EQ(saved, ws.baseImage);
    EXPECT_EQ(saved, EncodeJpeg(drawn));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"index.jpg", "index.map"}));
    for (Command c : {Command::Save, Command::Draw, Command::Names, Command::Undo})
        EXPECT_FALSE(ws.commands.enabled(c));

    // Undo now returns to the saved drawing.
    EXPECT_EQ(Undo(ws), StepOutcome::Completed);
    EXPECT_EQ(ws.workingImage, DecodeJpeg(saved, -1));
}

TEST_F(SaveUndoTest, SaveToAnotherFileLeavesTheIndexImage)
{
    Draw(ws);
    const QString output = folder + "/annotated.jpg";
    EXPECT_EQ(SaveJpg(ws, output), StepOutcome::Completed);
    EXPECT_EQ(Read(folder + "/index.jpg"), imageBytes);
    EXPECT_EQ(Read(output), ws.baseImage);
}

TEST_F(SaveUndoTest, SaveThroughALinkReplacesTheFileItLeadsTo)
{
    QDir(folder).mkdir("scans");
    const QString real = folder + "/scans/overview.jpg";
    ASSERT_TRUE(QFile::rename(folder + "/index.jpg", real));
    ASSERT_TRUE(QFile::link(real, folder + "/index.jpg"));
    Draw(ws);
    EXPECT_EQ(SaveJpg(ws), StepOutcome::Completed);
    EXPECT_TRUE(QFileInfo(folder + "/index.jpg").isSymLink());
    EXPECT_EQ(Read(real), ws.baseImage);
    EXPECT_EQ(QDir(folder + "/scans").entryList(QDir::Files | QDir::Hidden), QStringList{"overview.jpg"});
}

// A small tmpfs of our own, for writes that fail as a full or read-only disk does.
class SmallDisk {
public:
    explicit SmallDisk(const QString& path) : path_(QFile::encodeName(path))
    {
        mounted_ = ::mount("tmpfs", path_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(path_.constData(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    bool makeReadOnly() { return ::mount(nullptr, path_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

private:
    QByteArray path_;
    bool mounted_ = false;
};

// Sets or clears the immutable attribute, which holds even for root.
bool SetImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

// A failed save keeps the file, the folder and what Undo returns to.
class FailedSaveTest : public IndexImageTest {
protected:
    // Loads a flat overview from disk/, a 64 KB tmpfs when asked, and covers
    // it in noise, which will not fit in 64 KB.
    void start(bool smallDisk)
    {
        QDir(folder).mkdir("disk");
        if (smallDisk) {
            disk = std::make_unique<SmallDisk>(folder + "/disk");
            if (!disk->mounted())
                GTEST_SKIP() << "mounting a tmpfs is not permitted here";
        }
        QImage flat(300, 300, QImage::Format_RGB32);
        flat.fill(qRgb(200, 220, 240));
        original = EncodeJpeg(flat);
        target = folder + "/disk/index.jpg";
        testfiles::Write(target, original);
        testfiles::Write(indexFile, testfiles::IndexMap(target, 300, 300, 60, 50, 30, 40));
        QString mapsDir = folder + "/maps";
        ASSERT_EQ(Analyze(ws, mapsDir, indexFile), StepOutcome::Completed);
        ASSERT_EQ(LoadImage(ws, indexFile), StepOutcome::Completed);
        loaded = ws.workingImage;
        QRandomGenerator random(7);
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 300; ++x)
                ws.workingImage.setPixel(x, y, random.generate() | 0xff000000u);
        }
        ws.commands.apply(Transition::BordersDrawn);
        log.entries.clear();
    }

    void expectNothingChanged(const QString& error, const QStringList& files = {"index.jpg"})
    {
        EXPECT_EQ(ErrorText([&] { SaveJpg(ws); }), error);
        if (!QFileInfo(target).isDir()) {
            EXPECT_EQ(Read(target), original);
        }
        EXPECT_EQ(QDir(folder + "/disk").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), files)
            << "no temporary file is left";
        EXPECT_EQ(log.entries, (QStringList{"", "Saving JPG..."}));
        EXPECT_TRUE(ws.commands.enabled(Command::Save));
        EXPECT_EQ(Undo(ws), StepOutcome::Completed);
        EXPECT_EQ(ws.workingImage, loaded);
    }

    std::unique_ptr<SmallDisk> disk;
    QByteArray original;
    QString target;
    QImage loaded;
};

TEST_F(FailedSaveTest, AFullDisk)
{
    start(true);
    expectNothingChanged(Errors::systemReason(ENOSPC));
}

TEST_F(FailedSaveTest, AReadOnlyDisk)
{
    start(true);
    ASSERT_TRUE(disk->makeReadOnly());
    expectNothingChanged(Errors::cannotCreateFile(target, Errors::systemReason(EROFS)).text());
}

TEST_F(FailedSaveTest, AReadOnlyImageFile)
{
    start(false);
    if (!SetImmutable(target, true))
        GTEST_SKIP() << "no immutable attribute here: root writes read-only files";
    expectNothingChanged(Errors::cannotCreateFile(target, Errors::systemReason(EPERM)).text());
    SetImmutable(target, false);
}

TEST_F(FailedSaveTest, TheImageReplacedByAFolder)
{
    start(false);
    QFile::remove(target);
    QDir(folder).mkpath("disk/index.jpg");
    testfiles::Write(target + "/inside.txt", "kept");
    expectNothingChanged(Errors::cannotCreateFile(target, Errors::systemReason(EISDIR)).text());
    EXPECT_EQ(testfiles::Read(target + "/inside.txt"), "kept");
}

}  // namespace
