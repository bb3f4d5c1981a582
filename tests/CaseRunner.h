// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads a case of tests/cases/ (the format is described in its README): the
// files it writes and the checks every driver shares. A driver, the
// workflow calls or the window, runs the steps and knows its own lines.

#include "Gradient.h"
#include "MapFiles.h"
#include "Process.h"
#include "QtPrint.h"
#include "imaging/JpegCodec.h"
#include "workflow/Workspace.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sys/stat.h>

namespace cases {

// The commands by the names the cases give them, in the order of `Command`.
inline const QStringList kCommands{"Analyze", "LoadImage", "Calc", "Draw", "CalcNames", "Names", "Undo", "ClearAll",
                                   "Save", "Coverage", "DrawMissing", "Export"};
inline constexpr qsizetype kPanelCommands = 9;  // the five groups; the buttons beside the panel are checked on their own
// The step's lines must be these, begin with them, hold them together or end with them.
inline const QStringList kLogChecks{"log", "log-starts", "log-has", "log-ends"};

// The rows GDAL reads for an SQL query on FILE, each its values joined by
// " | ", from ogrinfo's "  name (Type) = value" lines (a name may be an
// expression holding ") = " itself).
inline QStringList OgrRows(const QString& file, const QString& sql)
{
    const ProcessRun ogrinfo = RunProgram("ogrinfo", {"--config", "OGR_GEOMETRY_ACCEPT_UNCLOSED_RING", "NO", "-ro", "-q",
                                                      "-dialect", "SQLite", "-sql", sql, file});
    EXPECT_EQ(ogrinfo.exitCode, 0) << ogrinfo.out.toStdString() << ogrinfo.err.toStdString();
    QStringList rows;
    static const QRegularExpression field(QStringLiteral("^  .+ \\(\\w+\\) = (.*)$"));
    for (const QString& line : ogrinfo.out.split(u'\n')) {
        if (line.startsWith(u"OGRFeature"))
            rows.append(QString());
        if (const QRegularExpressionMatch m = field.match(line); m.hasMatch() && !rows.isEmpty())
            rows.back() += (rows.back().isEmpty() ? "" : " | ") + m.captured(1);
    }
    return rows;
}

// \xHH is a byte, \r and \n the line ends; \{N} makes the byte before it N
// bytes long in all.
inline QByteArray Unescape(const QString& text)
{
    const QByteArray in = text.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        const QByteArray escape = in.mid(i, 2);
        if (escape == "\\x") {
            out += static_cast<char>(in.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else if (escape == "\\r" || escape == "\\n") {
            out += in[++i] == 'r' ? '\r' : '\n';
        } else if (escape == "\\{") {
            const qsizetype end = in.indexOf('}', i);
            out += QByteArray(in.mid(i + 2, end - i - 2).toInt() - 1, out.back());
            i = end;
        } else {
            out += in[i];
        }
    }
    return out;
}

// A file by the file system's own bytes, which need not be UTF-8.
inline QByteArray ReadNative(const QByteArray& path)
{
    QFile file;
    std::FILE* f = std::fopen(path.constData(), "rb");
    return f != nullptr && file.open(f, QIODevice::ReadOnly, QFile::AutoCloseHandle) ? file.readAll() : "(unreadable)";
}

// The case files of `folder`, named as test parameters.
inline QStringList CaseFiles(const QString& folder) { return QDir(folder).entryList({"*.txt"}, QDir::Files, QDir::Name); }
inline std::string CaseName(const ::testing::TestParamInfo<QString>& c) { return c.param.chopped(4).replace('-', '_').toStdString(); }

class CaseRunner {
public:
    virtual ~CaseRunner() = default;

    // Runs the case `name` of `folder`.
    void runCase(const QString& folder, const QString& name)
    {
        caseFolder = folder;
        QStringList lines = QString::fromUtf8(testfiles::Read(folder + "/" + name)).split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const auto expand = [&] { return lines[i].replace("{root}", root.path()).replace("{demo}", TESSARINE_DEMO)
                                                .replace("{real-rasters}", TESSARINE_REAL_RASTERS); };
            const QStringList a = expand().split(' ');
            const auto block = [&] {
                QStringList b;
                while (++i < lines.size() && lines[i] != "end")
                    b << expand();
                EXPECT_LT(i, lines.size()) << "a block without its end line";
                return b;
            };
            if (a[0].isEmpty() || a[0].startsWith('#'))
                continue;
            if (a[0] == "requires" && (a[1].startsWith('/') ? !QFileInfo::exists(a[1]) : !HasProgram(a[1])))
                GTEST_SKIP() << a[1].toStdString() << " is not installed";
            SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + lines[i].toStdString());
            const bool hasBlock = (kLogChecks.contains(a[0]) && a.size() == 1) || a[0] == "ogr";
            if (a[0] != "requires" && !fileLine(a, block) && !check(a, hasBlock ? block() : QStringList()) && !driverLine(a))
                ADD_FAILURE() << "unknown line";
        }
        endStep();
        for (const auto& [file, bytes] : written) {
            EXPECT_EQ(ReadNative(file), bytes) << file.toStdString() << " was changed";
            std::remove(file.constData());  // QTemporaryDir passes over names that are not UTF-8
        }
    }

protected:
    // The driver's state the shared checks read.
    virtual Workspace& workspace() = 0;
    virtual QStringList logLines() const = 0;
    virtual bool enabled(qsizetype command) = 0;
    // A step or a check of the driver's own; false when it knows no such line.
    virtual bool driverLine(const QStringList& a) = 0;

    QString path(const QString& name) const { return QDir(root.path()).filePath(name); }
    QByteArray native(const QString& name) const { return QFile::encodeName(root.path()) + "/" + Unescape(name); }

    // A step begins: what the one before left unchecked is a fault.
    void startStep()
    {
        endStep();
        before = logLines().size();
    }
    virtual void endStep()
    {
        EXPECT_EQ(error, "") << "an error no case line expected";
        error.clear();
    }

    void write(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        std::FILE* file = std::fopen(native(name).constData(), "wb");
        ASSERT_NE(file, nullptr) << name.toStdString();
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
        std::fclose(file);
        written[native(name)] = bytes;
    }

    QTemporaryDir root;
    QString caseFolder;
    std::map<QByteArray, QByteArray> written;
    QImage loaded;  // the working image as Load image left it
    QString error;  // the error the last step ended with
    qsizetype before = 0;

private:
    bool fileLine(const QStringList& a, const std::function<QStringList()>& block)
    {
        const QByteArray jpeg = a[0] == "jpeg" ? EncodeJpeg(Gradient(a[2].toInt(), a[3].toInt())) : QByteArray();
        if (a[0] == "file")
            write(a[1], Unescape(block().join("\r\n")) + "\r\n");
        else if (a[0] == "bytes")
            write(a[1], Unescape(a.mid(2).join(' ')));
        else if (a[0] == "jpeg")
            write(a[1], a.value(4) == "cut" ? jpeg.left(jpeg.size() * 2 / 3) : jpeg);
        else if (a[0] == "copy")
            for (QDirIterator it(caseFolder + "/" + a[1], QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
                const QString from = it.next();
                write(QDir(caseFolder + "/" + a[1]).relativeFilePath(from), testfiles::Read(from));
            }
        else if (a[0] == "folder")
            QDir().mkpath(path(a[1]));
        else if (a[0] == "remove")
            remove(a[1]);
        else if (a[0] == "fifo")
            EXPECT_EQ(::mkfifo(native(a[1]).constData(), 0600), 0);
        else if (a[0] == "chmod")
            EXPECT_EQ(::chmod(native(a[1]).constData(), a[2].toUInt(nullptr, 8)), 0);
        else if (a[0] == "link")
            EXPECT_TRUE(QFile::link(path(a[2]), path(a[1])));
        else if (a[0] == "tool")
            makeWithTool(a.mid(1).join(' '));
        else
            return false;
        return true;
    }

    // Files another program makes, such as GDAL's own tools, run in the
    // case's folder; what they write is theirs, not the case's.
    void makeWithTool(const QString& command)
    {
        const QStringList words = QProcess::splitCommand(command);
        const ProcessRun run = RunProgram(words.value(0), words.mid(1), root.path());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    }

    // A file or folder taken away again, and with it what was written there.
    void remove(const QString& name)
    {
        EXPECT_TRUE(QFileInfo(path(name)).isDir() ? QDir(path(name)).removeRecursively() : QFile::remove(path(name)));
        std::erase_if(written, [&](const auto& entry) { return entry.first.startsWith(native(name)); });
    }

    bool check(const QStringList& a, const QStringList& block)
    {
        const auto pixel = [&](const QImage& image) { return image.pixel(a[1].toInt(), a[2].toInt()) & 0xFFFFFF; };
        const auto file = [&](int k) { return testfiles::Read(path(a[k])); };
        if (kLogChecks.contains(a[0])) {
            const QStringList step = logLines().mid(before);
            QStringList want;
            for (const QString& line : a.size() > 1 ? QStringList{a.mid(1).join(' ')} : block)
                want << QString::fromUtf8(Unescape(line));
            qsizetype at = a[0] == "log-ends" ? std::max<qsizetype>(step.size() - want.size(), 0) : 0;
            while (a[0] == "log-has" && at + want.size() < step.size() && step.mid(at, want.size()) != want)
                ++at;
            EXPECT_EQ(a[0] == "log" ? step : step.mid(at, want.size()), want) << "among " << ::testing::PrintToString(step);
        } else if (a[0] == "ogr") {
            const QStringList rows = OgrRows(path(a[1]), a.mid(2).join(' '));
            EXPECT_EQ(rows.size(), block.size()) << rows.join(u'\n').toStdString();
            for (qsizetype k = 0; k < std::min(rows.size(), block.size()); ++k)  // a row may stop early
                EXPECT_TRUE(rows[k] == block[k] || rows[k].startsWith(block[k] + " | ")) << rows[k].toStdString();
        } else if (a[0] == "error") {
            EXPECT_EQ(error, a.mid(1).join(' '));
            error.clear();
        } else if (a[0] == "same" || a[0] == "differs") {
            EXPECT_FALSE(file(1).isEmpty() || file(2).isEmpty()) << "no such file, or an empty one";
            EXPECT_EQ(file(1) == file(2), a[0] == "same");
        } else if (a[0] == "has") {
            EXPECT_EQ(file(1).count(Unescape(a.mid(3).join(' '))), a[2].toInt());
        } else if (a[0] == "size") {
            EXPECT_EQ(DecodeJpeg(file(1), -1).size(), QSize(a[2].toInt(), a[3].toInt()));
        } else if (a[0] == "enabled" || a[0] == "enabled-tools") {
            QStringList on;
            const bool tools = a[0] == "enabled-tools";
            for (qsizetype c = tools ? kPanelCommands : 0; c < (tools ? kCommands.size() : kPanelCommands); ++c)
                if (enabled(c))
                    on << kCommands[c];
            EXPECT_EQ(on, a.mid(1));
        } else if (a[0] == "pixel") {
            EXPECT_EQ(pixel(workspace().workingImage), a[3] == "loaded" ? pixel(loaded) : a[3].toUInt(nullptr, 16));
        } else if (a[0] == "image") {
            EXPECT_EQ(workspace().workingImage, a[1] == "loaded" ? loaded : a[1] == "none" ? QImage() : DecodeJpeg(file(1), -1));
        } else if (a[0] == "imagefile") {
            EXPECT_EQ(workspace().data.IndexMap.FileName, path(a[1]));
        } else if (a[0] == "saved") {
            EXPECT_EQ(file(1), workspace().baseImage);
            EXPECT_EQ(workspace().baseImage, EncodeJpeg(workspace().workingImage));
            written.erase(native(a[1]));
        } else if (a[0] == "kept") {
            EXPECT_EQ(ReadNative(native(a[1])), written[native(a[1])]) << "changed before the case's end";
        } else if (a[0] == "mode") {
            struct stat info {};
            EXPECT_EQ(::stat(native(a[1]).constData(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, a[2].toUInt(nullptr, 8));
        } else if (a[0] == "entries") {
            EXPECT_EQ(QDir(path(a[1])).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name), a.mid(2));
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace cases
