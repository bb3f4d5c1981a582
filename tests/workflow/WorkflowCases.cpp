// SPDX-License-Identifier: GPL-3.0-or-later
// Drives each case of tests/cases/ through the workflow calls: the files it
// writes, the buttons it presses and what each press must give. The format
// is described in tests/cases/README.md.

#include "ErrorText.h"
#include "Gradient.h"
#include "GuiApplication.h"
#include "MapFiles.h"
#include "QtPrint.h"
#include "imaging/JpegCodec.h"
#include "workflow/panel/Analyze.h"
#include "workflow/panel/CalcNameCenters.h"
#include "workflow/panel/CalcPoints.h"
#include "workflow/panel/ClearAll.h"
#include "workflow/calibration/CheckCalibrations.h"
#include "workflow/coverage/Coverage.h"
#include "workflow/panel/CustomListEdits.h"
#include "workflow/panel/DrawBorders.h"
#include "workflow/coverage/DrawMissingSheets.h"
#include "workflow/export/ExportSheetIndex.h"
#include "workflow/panel/DrawNames.h"
#include "workflow/panel/LoadImage.h"
#include "workflow/newindex/MakeIndexMap.h"
#include "workflow/panel/NamePreview.h"
#include "workflow/panel/SaveJpg.h"
#include "workflow/panel/Undo.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <sys/stat.h>

namespace {

const QStringList kCommands{"Analyze", "LoadImage", "Calc", "Draw", "CalcNames", "Names", "Undo", "ClearAll", "Save",
                            "Coverage", "DrawMissing", "Export"};
constexpr qsizetype kPanelCommands = 9;  // the five groups; the buttons beside the panel are checked on their own
// The step's lines must be these, begin with them, hold them together or end with them.
const QStringList kLogChecks{"log", "log-starts", "log-has", "log-ends"};

// \xHH is a byte, \r and \n the line ends; \{N} makes the byte before it N
// bytes long in all.
QByteArray Unescape(const QString& text)
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
QByteArray ReadNative(const QByteArray& path)
{
    QFile file;
    std::FILE* f = std::fopen(path.constData(), "rb");
    return f != nullptr && file.open(f, QIODevice::ReadOnly, QFile::AutoCloseHandle) ? file.readAll() : "(unreadable)";
}

class WorkflowCase : public ::testing::TestWithParam<QString> {
protected:
    QString path(const QString& name) const { return QDir(root.path()).filePath(name); }
    QByteArray native(const QString& name) const { return QFile::encodeName(root.path()) + "/" + Unescape(name); }

    void write(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        std::FILE* file = std::fopen(native(name).constData(), "wb");
        ASSERT_NE(file, nullptr) << name.toStdString();
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file);
        std::fclose(file);
        written[native(name)] = bytes;
    }

    // tessarine-batch run in the case's folder; what it prints becomes the
    // step's lines.
    void batch(const QString& command)
    {
        QProcess process;
        process.setWorkingDirectory(root.path());
        process.start(TESSARINE_BATCH, QProcess::splitCommand(command));
        ASSERT_TRUE(process.waitForFinished(120000)) << "still running";
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << "crashed";
        for (const QByteArray& printed : {process.readAllStandardOutput(), process.readAllStandardError()}) {
            EXPECT_TRUE(printed.isEmpty() || printed.endsWith('\n')) << "the last line printed has no line end";
            if (!printed.isEmpty())
                log.append(QString::fromUtf8(printed.chopped(1)));
        }
        exitStatus = process.exitCode();
    }

    void press(const QStringList& a)
    {
        EXPECT_EQ(error, "") << "an error no case line expected";
        EXPECT_EQ(exitStatus, 0) << "an exit status no case line expected";
        exitStatus = 0;
        before = log.lines().size();
        const auto arg = [&](int i) { return a.value(i); };
        const auto edit = [&](auto function) { list = function(list, qsizetype(ws.data.Maps.size())); };
        const std::map<QString, std::function<void()>> steps{
            {"analyze", [&] { QString maps = path(arg(3).isEmpty() ? "maps" : arg(3));
                              Analyze(ws, maps, arg(2) == "-" ? QString() : path(arg(2).isEmpty() ? "index.map" : arg(2))); }},
            {"load", [&] { LoadImage(ws, path(arg(2).isEmpty() ? "index.map" : arg(2))); loaded = ws.workingImage; }},
            {"calc", [&] { CalcPoints(ws); }},
            {"borders", [&] { DrawBorders(ws, {arg(2), QColor(arg(3)), arg(4) == "fill"}); }},
            {"centers", [&] { CalcNameCenters(ws, arg(2).toInt()); }},
            {"method", [&] { CenterMethodChosen(ws, arg(2).toInt()); }},
            {"names", [&] { style.source = arg(2).toInt(); style.opacityPosition = arg(3).toInt(); DrawNames(ws, style); }},
            {"coverage", [&] { Coverage(ws, arg(2).toInt()); }},
            {"corners", [&] { ws.sheetCorners = static_cast<SheetCorners>(arg(2).toInt()); }},
            {"check", [&] { CheckCalibrations(ws); }},
            {"missing", [&] { DrawMissingSheets(ws, arg(2).toInt(), {arg(3), QColor(arg(4)), style.font, style.color, arg(5).toInt()}); }},
            {"make-index", [&] { MakeIndexMap(ws, path(arg(2)), path(arg(3)), arg(4).toInt(), arg(5) == "force"); }},
            {"export", [&] { ExportSheetIndex(ws, path(arg(2)), QColor(arg(3))); }},
            {"undo", [&] { Undo(ws); }},
            {"save", [&] { SaveJpg(ws, arg(2).isEmpty() ? QString() : path(arg(2))); }},
            {"clear", [&] { ClearAll(ws); }},
            {"generate", [&] { list = GenerateList(ws.data, ListField(arg(2).toInt())); }},
            {"extensions", [&] { edit(RemoveExtensions); }},
            {"trim-left", [&] { edit(CutFirstCharacters); }},
            {"trim-right", [&] { edit(CutLastCharacters); }},
            {"identic", [&] { list = RemoveIdenticPositions(list); }},
            {"press", [&] { style.source = arg(4).isEmpty() ? style.source : arg(4).toInt();
                            const auto view = arg(2) == "-" ? std::nullopt : std::optional(TPixel{arg(2).toInt(), arg(3).toInt()});
                            shownAt = StartNamePreview(ws, preview, style, view); }},
            {"slide", [&] { preview.redraw(ws.workingImage, OpacityAlpha(arg(2).toInt())); }},
            {"release", [&] { preview.hide(ws.workingImage); }},
            {"batch", [&] { batch(a.mid(2).join(' ')); }},
        };
        ASSERT_TRUE(steps.count(arg(1))) << "unknown step";
        error = ErrorText(steps.at(arg(1)));
    }

    void check(const QStringList& a, const QStringList& block)
    {
        const auto pixel = [&](const QImage& image) { return image.pixel(a[1].toInt(), a[2].toInt()) & 0xFFFFFF; };
        const auto file = [&](int k) { return testfiles::Read(path(a[k])); };
        if (kLogChecks.contains(a[0])) {
            const QStringList step = log.lines().mid(before);
            QStringList want;
            for (const QString& line : a.size() > 1 ? QStringList{a.mid(1).join(' ')} : block)
                want << QString::fromUtf8(Unescape(line));
            qsizetype at = a[0] == "log-ends" ? std::max<qsizetype>(step.size() - want.size(), 0) : 0;
            while (a[0] == "log-has" && at + want.size() < step.size() && step.mid(at, want.size()) != want)
                ++at;
            EXPECT_EQ(a[0] == "log" ? step : step.mid(at, want.size()), want) << "among " << ::testing::PrintToString(step);
        } else if (a[0] == "exit") {
            EXPECT_EQ(exitStatus, a[1].toInt());
            exitStatus = 0;
        } else if (a[0] == "same" || a[0] == "differs") {
            ASSERT_FALSE(file(1).isEmpty() || file(2).isEmpty()) << "no such file, or an empty one";
            EXPECT_EQ(file(1) == file(2), a[0] == "same");
        } else if (a[0] == "has") {
            EXPECT_EQ(file(1).count(Unescape(a.mid(3).join(' '))), a[2].toInt());
        } else if (a[0] == "size") {
            EXPECT_EQ(DecodeJpeg(file(1), -1).size(), QSize(a[2].toInt(), a[3].toInt()));
        } else if (a[0] == "error") {
            EXPECT_EQ(error, a.mid(1).join(' '));
            error.clear();
        } else if (a[0] == "enabled" || a[0] == "enabled-tools") {
            QStringList on;
            const bool tools = a[0] == "enabled-tools";
            for (qsizetype c = tools ? kPanelCommands : 0; c < (tools ? kCommands.size() : kPanelCommands); ++c)
                if (ws.commands.enabled(static_cast<Command>(c)))
                    on << kCommands[c];
            EXPECT_EQ(on, a.mid(1));
        } else if (a[0] == "pixel") {
            EXPECT_EQ(pixel(ws.workingImage), a[3] == "loaded" ? pixel(loaded) : a[3].toUInt(nullptr, 16));
        } else if (a[0] == "image") {
            EXPECT_EQ(ws.workingImage, a[1] == "loaded" ? loaded : a[1] == "none" ? QImage() : DecodeJpeg(testfiles::Read(path(a[1])), -1));
        } else if (a[0] == "imagefile") {
            EXPECT_EQ(ws.data.IndexMap.FileName, path(a[1]));
        } else if (a[0] == "saved") {
            EXPECT_EQ(testfiles::Read(path(a[1])), ws.baseImage);
            EXPECT_EQ(ws.baseImage, EncodeJpeg(ws.workingImage));
            written.erase(native(a[1]));
        } else if (a[0] == "mode") {
            struct stat info {};
            ASSERT_EQ(::stat(native(a[1]).constData(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, a[2].toUInt(nullptr, 8));
        } else if (a[0] == "entries") {
            EXPECT_EQ(QDir(path(a[1])).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name), a.mid(2));
        } else if (a[0] == "lines") {
            EXPECT_EQ(list.join('|'), a.mid(1).join(' '));
        } else if (a[0] == "shown-at") {
            EXPECT_EQ(shownAt ? QStringLiteral("%1 %2").arg(shownAt->X).arg(shownAt->Y) : "none", a.mid(1).join(' '));
        } else if (a[0] == "same-length") {
            EXPECT_EQ(AllLinesSameLength(list), a[1] == "yes");
        } else {
            ADD_FAILURE() << "unknown line";
        }
    }

    void run(QStringList lines)
    {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const auto expand = [&] { return lines[i].replace("{root}", root.path()).replace("{demo}", TESSARINE_DEMO); };
            const QStringList a = expand().split(' ');
            const auto block = [&] {
                QStringList b;
                while (++i < lines.size() && lines[i] != "end")
                    b << expand();
                return b;
            };
            if (a[0].isEmpty() || a[0].startsWith('#'))
                continue;
            SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + lines[i].toStdString());
            const QByteArray jpeg = a[0] == "jpeg" ? EncodeJpeg(Gradient(a[2].toInt(), a[3].toInt())) : QByteArray();
            if (a[0] == "file")
                write(a[1], Unescape(block().join("\r\n")) + "\r\n");
            else if (a[0] == "bytes")
                write(a[1], Unescape(a.mid(2).join(' ')));
            else if (a[0] == "jpeg")
                write(a[1], a.value(4) == "cut" ? jpeg.left(jpeg.size() * 2 / 3) : jpeg);
            else if (a[0] == "folder")
                QDir().mkpath(path(a[1]));
            else if (a[0] == "fifo")
                ASSERT_EQ(::mkfifo(native(a[1]).constData(), 0600), 0);
            else if (a[0] == "chmod")
                ASSERT_EQ(::chmod(native(a[1]).constData(), a[2].toUInt(nullptr, 8)), 0);
            else if (a[0] == "link")
                ASSERT_TRUE(QFile::link(path(a[2]), path(a[1])));
            else if (a[0] == "decimal")
                ws.decimalPoint = a[1];
            else if (a[0] == "custom")
                ws.data.CustomList = a.value(1).split('|', Qt::SkipEmptyParts);
            else if (a[0] == "list")
                list = a.mid(1).join(' ').split('|');
            else if (a[0] == "run")
                press(a);
            else
                check(a, kLogChecks.contains(a[0]) && a.size() == 1 ? block() : QStringList());
        }
        EXPECT_EQ(error, "") << "an error no case line expected";
        EXPECT_EQ(exitStatus, 0) << "an exit status no case line expected";
        for (const auto& [name, bytes] : written) {
            EXPECT_EQ(ReadNative(name), bytes) << name.toStdString() << " was changed";
            std::remove(name.constData());  // QTemporaryDir passes over names that are not UTF-8
        }
    }

    QTemporaryDir root;
    MemoryLog log;
    Workspace ws{log, "."};
    NameStyle style{QFont("DejaVu Sans"), QColor(255, 0, 0)};
    std::map<QByteArray, QByteArray> written;
    QImage loaded;
    QStringList list;  // the Custom list dialog's lines
    NamePreview preview;
    std::optional<TPixel> shownAt;  // where the last press showed a name
    QString error;
    int exitStatus = 0;  // of the last batch run
    qsizetype before = 0;
};

TEST_P(WorkflowCase, GivesWhatTheCaseSays)
{
    EnsureGuiApplication();
    style.font.setPixelSize(13);
    run(QString::fromUtf8(testfiles::Read(QStringLiteral(TESSARINE_TEST_CASES "/") + GetParam())).split('\n'));
}

INSTANTIATE_TEST_SUITE_P(Cases, WorkflowCase,
                         ::testing::ValuesIn(QDir(TESSARINE_TEST_CASES).entryList({"*.txt"}, QDir::Files, QDir::Name)),
                         [](const auto& c) { return c.param.chopped(4).replace('-', '_').toStdString(); });

}  // namespace
