#include "QtPrint.h"
#include "ErrorText.h"
#include "IndexImageFixture.h"
#include "imaging/JpegTestImages.h"
#include "model/Errors.h"
#include "workflow/SaveJpg.h"
#include "workflow/Undo.h"

#include <QPainter>

#include <functional>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <jerror.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// Bad input of every kind: each case gets the program's own message, and
// nothing the user had is lost (files on disk, the image, what Undo returns to).

namespace {

using testfiles::IndexImageTest;
using testfiles::Write;

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList HiddenAndAll(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// libjpeg's text for a message without parameters, as the codec reports it.
QString JpegMessage(int code)
{
    jpeg_error_mgr err;
    jpeg_std_error(&err);
    return QStringLiteral("JPEG error #%1: %2").arg(code).arg(QString::fromLatin1(err.jpeg_message_table[code]));
}

// ---- Calibration files through Analyze ----

class BadCalibrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkdir("maps");
        mapsDir = root.filePath("maps");
        indexFile = root.filePath("index.map");
        Write(indexFile, testfiles::IndexMap("index.jpg", 1000, 800, 60, 50, 30, 40));
    }
    QTemporaryDir root;
    QString mapsDir;
    QString indexFile;
};

TEST_F(BadCalibrationTest, EachFileGetsItsMessageAndStaysAsItWas)
{
    const QByteArray head = "OziExplorer Map Data File Version 2.2\r\n";
    const QByteArray points = "MMPXY,1,0,0\r\nMMPXY,2,0,0\r\nMMPXY,3,0,0\r\nMMPXY,4,0,0\r\n";
    const QByteArray good = testfiles::Sheet("Good", "g.jpg", {{31, 59}, {32, 59}, {32, 58}});
    const QByteArray megabyte(1 << 20, 'x');
    QByteArray everyByte;  // 1..255 over and over: line ends but no MMPNUM
    for (int round = 0; round < 16; ++round) {
        for (int b = 1; b < 256; ++b)
            everyByte.append(static_cast<char>(b));
    }
    QByteArray withNul = good;
    withNul.insert(withNul.indexOf("MMPNUM"), '\0');
    const QStringList goodCorners{"...MMPNUM = 3", "...p1 Lat=59, Lon=31", "...p2 Lat=59, Lon=32",
                                  "...p3 Lat=58, Lon=32", "...is ok", "", "", "1 map files analysed",
                                  "1 map files is ok"};
    const auto named = [&](const QString& name) { return QStringList{"a.map", "...original map name is " + name} + goodCorners; };
    const QStringList noMmpnumTail{"...MMPNUM not found", "", "", "1 map files analysed", "0 map files is ok"};

    struct Case {
        const char* what;
        QByteArray sheet;
        QString error;      // empty: the analysis completes
        QStringList log;    // from the sheet's file name on
    };
    const Case cases[] = {
        {"empty file", "", "List index out of bounds (2)", {"a.map"}},
        {"one line without a line end", "MMPNUM,4", "List index out of bounds (2)", {"a.map"}},
        {"1 MB on one line", megabyte, "List index out of bounds (2)", {"a.map"}},
        {"binary", everyByte, "", {}},
        {"MMPNUM without a comma", head + "n\r\ni.jpg\r\nMMPNUM 4\r\n", "'MMPNUM 4' is not a valid integer value",
         {"a.map"}},
        {"count beyond 32 bits", head + "n\r\ni.jpg\r\nMMPNUM,4294967296\r\n",
         "'4294967296' is not a valid integer value", {"a.map"}},
        {"points past the end", head + "n\r\ni.jpg\r\nMMPNUM,4\r\n" + points + "MMPLL,1,31,59\r\nMMPLL,2,32,59\r\n",
         "List index out of bounds (10)", {"a.map", "...original map name is n", "...MMPNUM = 4"}},
        {"NUL before the MMPNUM line", withNul, "", QStringList{"a.map", "...original map name is Good"} + noMmpnumTail},
        {"1 MB map name", testfiles::Sheet(QString::fromLatin1(megabyte), "g.jpg", {{31, 59}, {32, 59}, {32, 58}}),
         "", named(QString::fromLatin1(megabyte))},
        {"windows-1251 name", QByteArray(good).replace("Good", "N-37 \xD1\xFB\xF7\xE5\xE2\xEE"), "",
         named(QString::fromUtf8("N-37 Сычево"))},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + QByteArray(good).replace("Good", "Москва"), "",
         named(QString::fromUtf8("Москва"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = mapsDir + "/a.map";
        Write(file, c.sheet);
        MemoryLog log;
        Workspace ws(log, ".");
        QString dir = mapsDir;
        EXPECT_EQ(ErrorText([&] { Analyze(ws, dir, indexFile); }), c.error);
        if (c.log.isEmpty()) {  // binary: whatever its lines, it has no point count
            EXPECT_EQ(log.lines().mid(log.lines().size() - 5), noMmpnumTail);
        } else {
            EXPECT_EQ(log.lines().mid(2), c.log);
        }
        EXPECT_EQ(log.lines().first(), "Index map is ok");
        EXPECT_EQ(ws.commands.enabled(Command::Analyze), !c.error.isEmpty());
        EXPECT_EQ(ws.commands.enabled(Command::ClearAll), c.error.isEmpty());
        EXPECT_EQ(FileBytes(file), c.sheet) << "calibration files are only read";
    }
}

TEST_F(BadCalibrationTest, ASheetFileNamedInWindows1251IsReadUnderItsCyrillicName)
{
    const QByteArray sheet = testfiles::Sheet("Good", "g.jpg", {{31, 59}, {32, 59}, {32, 58}});
    const QByteArray native = QFile::encodeName(mapsDir) + "/\xD1\xFB\xF7\xE5\xE2\xEE.map";  // not UTF-8
    std::FILE* file = std::fopen(native.constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(sheet.constData(), 1, static_cast<std::size_t>(sheet.size()), file);
    std::fclose(file);
    MemoryLog log;
    Workspace ws(log, ".");
    QString dir = mapsDir;
    EXPECT_EQ(Analyze(ws, dir, indexFile), StepOutcome::Completed);
    EXPECT_EQ(log.lines().mid(2, 2), (QStringList{QString::fromUtf8("Сычево.map"), "...original map name is Good"}));
    EXPECT_EQ(log.lines().last(), "1 map files is ok");
    ASSERT_EQ(ws.data.Maps.size(), 1u);
    EXPECT_EQ(ws.data.Maps[0].FileName, QString::fromUtf8("Сычево.map"));
}

TEST_F(BadCalibrationTest, ANamedPipeNamedLikeASheetReadsAsEmptyWithoutWaiting)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(mapsDir + "/pipe.map").constData(), 0600), 0);
    MemoryLog log;
    Workspace ws(log, ".");
    QString dir = mapsDir;
    EXPECT_EQ(ErrorText([&] { Analyze(ws, dir, indexFile); }), "List index out of bounds (2)");
    EXPECT_EQ(log.lines().last(), "pipe.map");
    EXPECT_TRUE(ws.commands.enabled(Command::Analyze));
}

TEST_F(BadCalibrationTest, AnIndexMapEndingInItsPointLinesStopsBeforeTheScan)
{
    const QByteArray bytes = "h\r\nIndex\r\nindex.jpg\r\nMMPNUM,4\r\nMMPXY,1,0,0\r\nMMPXY,2,1000,0\r\n";
    Write(indexFile, bytes);
    MemoryLog log;
    Workspace ws(log, ".");
    QString dir = mapsDir;
    EXPECT_EQ(ErrorText([&] { Analyze(ws, dir, indexFile); }), "List index out of bounds (6)");
    EXPECT_TRUE(log.lines().isEmpty());
    EXPECT_TRUE(ws.data.IndexMap.IsOk);
    EXPECT_TRUE(ws.commands.enabled(Command::Analyze));
    EXPECT_EQ(FileBytes(indexFile), bytes);
}

// ---- Images through Load image ----

using BadImageTest = IndexImageTest;

TEST_F(BadImageTest, EveryKindOfJpegLoadsInColourOrIsRefusedWholly)
{
    prepare("index.jpg");
    const QImage picture = DecodeJpeg(imageBytes, -1);
    // Entropy data of all one bits: the one code no Huffman table may hold.
    QByteArray badHuffman = EncodeJpeg(picture);
    const qsizetype scan = badHuffman.indexOf("\xFF\xDA");
    ASSERT_GT(scan, 0);
    const qsizetype data = scan + 2 + ((static_cast<uchar>(badHuffman[scan + 2]) << 8) | static_cast<uchar>(badHuffman[scan + 3]));
    for (qsizetype i = data; i < data + 64; i += 2)
        badHuffman.replace(i, 2, QByteArray("\xFF\x00", 2));

    struct Case {
        const char* what;
        QByteArray jpeg;
        QString error;  // empty: it loads
    };
    const Case cases[] = {
        {"bad Huffman data", badHuffman, JpegMessage(JWRN_HUFF_BAD_CODE)},
        {"CMYK (Adobe)", testjpeg::Encode(picture, testjpeg::Kind::CmykAdobe), {}},
        {"CMYK", testjpeg::Encode(picture, testjpeg::Kind::CmykPlain), {}},
        {"YCCK", testjpeg::Encode(picture, testjpeg::Kind::Ycck), {}},
        {"progressive", testjpeg::Encode(picture, testjpeg::Kind::Progressive), {}},
        {"greyscale", testjpeg::Encode(picture, testjpeg::Kind::Grey), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ws.data.Maps.clear();
        ws.workingImage = QImage();
        ws.commands = CommandStates();
        prepare("index.jpg");
        Write(folder + "/index.jpg", c.jpeg);
        EXPECT_EQ(ErrorText([&] { load(); }), c.error);
        EXPECT_EQ(FileBytes(folder + "/index.jpg"), c.jpeg);
        EXPECT_EQ(ws.data.IndexMap.FileName, folder + "/index.jpg");
        if (!c.error.isEmpty()) {
            EXPECT_EQ(log.entries, (QStringList{"", "Loading map image..."}));
            EXPECT_TRUE(ws.workingImage.isNull()) << "never shown half grey";
            EXPECT_TRUE(ws.baseImage.isEmpty());
            EXPECT_TRUE(ws.commands.enabled(Command::LoadImage));
            EXPECT_FALSE(ws.commands.enabled(Command::Calc));
            continue;
        }
        EXPECT_EQ(log.entries, (QStringList{"", "Loading map image...", "Map image loaded"}));
        EXPECT_EQ(ws.workingImage.format(), QImage::Format_RGB32);
        EXPECT_EQ(ws.workingImage, DecodeJpeg(c.jpeg, -1));
        EXPECT_EQ(ws.baseImage, c.jpeg);
        EXPECT_TRUE(ws.commands.enabled(Command::Calc));
        // What Undo returns to is this image, pixel for pixel.
        QPainter(&ws.workingImage).fillRect(0, 0, 8, 8, Qt::red);
        ws.commands.apply(Transition::BordersDrawn);
        EXPECT_EQ(Undo(ws), StepOutcome::Completed);
        EXPECT_EQ(ws.workingImage, DecodeJpeg(c.jpeg, -1));
    }
}

// ---- Saving through Save jpg ----

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

class BadSaveTest : public IndexImageTest {
protected:
    void SetUp() override
    {
        IndexImageTest::SetUp();
        prepare("index.jpg");
        target = folder + "/index.jpg";
        ASSERT_EQ(load(), StepOutcome::Completed);
        loaded = ws.workingImage;
        QPainter(&ws.workingImage).fillRect(QRect(5, 5, 20, 10), Qt::red);
        ws.commands.apply(Transition::BordersDrawn);
        log.entries.clear();
    }

    QString target;
    QImage loaded;
};

TEST_F(BadSaveTest, AFailedSaveKeepsTheFileTheFolderAndUndo)
{
    struct Case {
        const char* what;
        // Makes the target unwritable; the errno the save then reports, or 0 to skip.
        std::function<int()> spoil;
        std::function<void()> restore;
    };
    const Case cases[] = {
        {"image replaced by a folder",
         [&] {
             QFile::remove(target);
             QDir(folder).mkdir("index.jpg");
             Write(target + "/inside.txt", "kept");
             return EISDIR;
         },
         [&] {
             QFile::remove(target + "/inside.txt");
             QDir(folder).rmdir("index.jpg");
             Write(target, imageBytes);
         }},
        {"read-only image file",
         [&] {
             QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
             if (::geteuid() != 0)
                 return EACCES;
             return SetImmutable(target, true) ? EPERM : 0;  // root ignores the mode
         },
         [&] {
             SetImmutable(target, false);
             QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int expectedErrno = c.spoil();
        if (expectedErrno == 0) {
            c.restore();
            GTEST_SKIP() << "no immutable attribute here: root writes read-only files";
        }
        const QStringList before = HiddenAndAll(folder);
        const bool isFolder = QFileInfo(target).isDir();
        const QByteArray original = isFolder ? FileBytes(target + "/inside.txt") : FileBytes(target);
        log.entries.clear();
        EXPECT_EQ(ErrorText([&] { SaveJpg(ws); }),
                  Errors::cannotCreateFile(target, Errors::systemReason(expectedErrno)).text());
        EXPECT_EQ(log.entries, (QStringList{"", "Saving JPG..."}));
        EXPECT_EQ(HiddenAndAll(folder), before) << "no temporary file is left";
        EXPECT_EQ(QFileInfo(target).isDir(), isFolder);
        EXPECT_EQ(isFolder ? FileBytes(target + "/inside.txt") : FileBytes(target), original);
        if (isFolder) {
            EXPECT_EQ(HiddenAndAll(target), QStringList{"inside.txt"});
        }
        EXPECT_EQ(ws.baseImage, imageBytes);
        EXPECT_TRUE(ws.commands.enabled(Command::Save));
        EXPECT_TRUE(ws.commands.enabled(Command::Undo));
        EXPECT_EQ(Undo(ws), StepOutcome::Completed);
        EXPECT_EQ(ws.workingImage, loaded);
        c.restore();
        QPainter(&ws.workingImage).fillRect(QRect(5, 5, 20, 10), Qt::red);
        ws.commands.apply(Transition::BordersDrawn);
    }
}

}  // namespace
