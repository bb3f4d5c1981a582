#include "QtPrint.h"
#include "ErrorText.h"
#include "IndexImageFixture.h"
#include "workflow/SaveJpg.h"
#include "workflow/Undo.h"

#include <QPainter>
#include <QRandomGenerator>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {

using testfiles::IndexImageTest;

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

TEST_F(SaveUndoTest, UndoReturnsToTheLoadedImagePixelForPixel)
{
    Draw(ws);
    Draw(ws, Qt::blue);
    ASSERT_NE(ws.workingImage, loaded);
    EXPECT_EQ(Undo(ws), StepOutcome::Completed);
    EXPECT_EQ(ws.workingImage, loaded);
    EXPECT_EQ(ws.workingImage.format(), QImage::Format_RGB32);
    EXPECT_TRUE(log.entries.isEmpty());
    EXPECT_TRUE(ws.commands.enabled(Command::Draw));
    EXPECT_TRUE(ws.commands.enabled(Command::Names));
    EXPECT_FALSE(ws.commands.enabled(Command::Undo));
    EXPECT_FALSE(ws.commands.enabled(Command::Save));
}

TEST_F(SaveUndoTest, AFailedUndoIsLoggedAndChangesNothing)
{
    Draw(ws);
    const QImage drawn = ws.workingImage;
    ws.baseImage.truncate(ws.baseImage.size() / 2);
    EXPECT_EQ(Undo(ws), StepOutcome::Stopped);
    ASSERT_EQ(log.entries.size(), 2);
    EXPECT_EQ(log.entries[0], "");
    EXPECT_TRUE(log.entries[1].startsWith("Failed to undo. Error message:\nJPEG error #")) << log.entries[1].toStdString();
    EXPECT_EQ(ws.workingImage, drawn);
    EXPECT_TRUE(ws.commands.enabled(Command::Undo));
    EXPECT_TRUE(ws.commands.enabled(Command::Save));
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
    const QByteArray saved = FileBytes(target);
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
    EXPECT_GT(qRed(ws.workingImage.pixel(10, 10)), 230);
    EXPECT_LT(qGreen(ws.workingImage.pixel(10, 10)), 25);
}

TEST_F(SaveUndoTest, SaveToAnotherFileLeavesTheIndexImage)
{
    Draw(ws);
    const QString output = folder + "/annotated.jpg";
    EXPECT_EQ(SaveJpg(ws, output), StepOutcome::Completed);
    EXPECT_EQ(FileBytes(folder + "/index.jpg"), imageBytes);
    EXPECT_EQ(FileBytes(output), ws.baseImage);
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
    EXPECT_EQ(FileBytes(real), ws.baseImage);
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

class FailedSaveTest : public IndexImageTest {
protected:
    void SetUp() override
    {
        IndexImageTest::SetUp();
        QDir(folder).mkdir("disk");
        disk = std::make_unique<SmallDisk>(folder + "/disk");
        if (!disk->mounted())
            GTEST_SKIP() << "mounting a tmpfs is not permitted here";
        // A flat image compresses to little; drawn noise will not fit in 64 KB.
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

    void expectNothingChanged()
    {
        EXPECT_EQ(FileBytes(target), original);
        EXPECT_EQ(QDir(folder + "/disk").entryList(QDir::Files | QDir::Hidden), QStringList{"index.jpg"});
        EXPECT_EQ(log.entries, (QStringList{"", "Saving JPG..."}));
        EXPECT_TRUE(ws.commands.enabled(Command::Save));
        EXPECT_TRUE(ws.commands.enabled(Command::Undo));
        EXPECT_EQ(Undo(ws), StepOutcome::Completed);
        EXPECT_EQ(ws.workingImage, loaded);
    }

    std::unique_ptr<SmallDisk> disk;
    QByteArray original;
    QString target;
    QImage loaded;
};

TEST_F(FailedSaveTest, AFullDiskKeepsTheFileAndUndo)
{
    EXPECT_EQ(ErrorText([&] { SaveJpg(ws); }), Errors::systemReason(ENOSPC));
    expectNothingChanged();
}

TEST_F(FailedSaveTest, AReadOnlyDiskKeepsTheFileAndUndo)
{
    ASSERT_TRUE(disk->makeReadOnly());
    EXPECT_EQ(ErrorText([&] { SaveJpg(ws); }), Errors::cannotCreateFile(target, Errors::systemReason(EROFS)).text());
    expectNothingChanged();
}

}  // namespace
