#include "QtPrint.h"
#include "ErrorText.h"
#include "UiFixture.h"
#include "imaging/JpegCodec.h"
#include "settings/StoredSettings.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <ostream>

#include <jerror.h>

// After each kind of bad input the window has shown the message (error box
// or results log), lost nothing, and still analyses and loads good input.

namespace {

using Button = QPushButton* TMainForm::*;

struct WindowCase {
    const char* what;
    std::vector<Button> before;                          // clicked on good input
    void (*spoil)(const QDir& dir);                      // then the input goes bad
    Button last;                                         // and this button meets it
    const char* error;                                   // the error box's text ("%1": the folder), or none
    const char* logEnd;                                  // the log's last entry ("%1": the folder)
    QStringList enabled;                                 // the buttons afterwards
    void (*repair)(const QDir& dir);
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.what; }

QImage Overview()
{
    QImage image(1000, 800, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(200, 220, 240));
    painter.fillRect(QRect(100, 100, 300, 200), QColor(60, 120, 60));
    return image;
}

void WriteOverview(const QDir& dir)
{
    QFile::remove(dir.filePath("index.jpg"));
    dir.rmdir("index.jpg");
    testfiles::Write(dir.filePath("index.jpg"), EncodeJpeg(Overview()));
}

QByteArray BadHuffman()
{
    QByteArray jpeg = EncodeJpeg(Overview());
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    const qsizetype data = scan + 2 + ((static_cast<uchar>(jpeg[scan + 2]) << 8) | static_cast<uchar>(jpeg[scan + 3]));
    for (qsizetype i = data; i < data + 64; i += 2)
        jpeg.replace(i, 2, QByteArray("\xFF\x00", 2));  // all one bits: no Huffman code
    return jpeg;
}

const QString kNotJpeg = QStringLiteral("Failed to load image. Error message:\nJPEG error #%1: Not a JPEG file: "
                                        "starts with 0x6e 0x6f")
                             .arg(JERR_NO_SOI);

const WindowCase kCases[] = {
    {"empty sheet file", {}, [](const QDir& d) { testfiles::Write(d.filePath("maps/empty.map"), ""); },
     &TMainForm::btnAnalyze, "List index out of bounds (2)", "empty.map", {"btnAnalyze"},
     [](const QDir& d) { QFile::remove(d.filePath("maps/empty.map")); }},
    {"not a JPEG", {&TMainForm::btnAnalyze},
     [](const QDir& d) { testfiles::Write(d.filePath("index.jpg"), "not a jpeg"); },
     &TMainForm::btnLoadImage, nullptr, nullptr, {"btnLoadImage", "btnClearAll"}, WriteOverview},
    {"image deleted after Analyze", {&TMainForm::btnAnalyze},
     [](const QDir& d) { QFile::remove(d.filePath("index.jpg")); }, &TMainForm::btnLoadImage, nullptr,
     "Image file not found", {"btnLoadImage", "btnClearAll"}, WriteOverview},
    {"bad Huffman data", {&TMainForm::btnAnalyze},
     [](const QDir& d) { testfiles::Write(d.filePath("index.jpg"), BadHuffman()); },
     &TMainForm::btnLoadImage, "corrupt", "Loading map image...", {"btnLoadImage", "btnClearAll"}, WriteOverview},
    {"image replaced by a folder before Save",
     {&TMainForm::btnAnalyze, &TMainForm::btnLoadImage, &TMainForm::btnCalc, &TMainForm::btnDraw},
     [](const QDir& d) {
         QFile::remove(d.filePath("index.jpg"));
         d.mkdir("index.jpg");
     },
     &TMainForm::btnSave, "Cannot create file \"%1/index.jpg\". Is a directory", "Saving JPG...",
     {"btnDraw", "btnCalcNames", "btnNames", "btnUndo", "btnClearAll", "btnSave"}, WriteOverview},
};

class BadInputWindow : public UiFixture, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(BadInputWindow, ShowsTheMessageLosesNothingAndGoesOn)
{
    const WindowCase& c = GetParam();
    const QDir root(dir.path());
    const QString maps = makeDemo(1);
    WriteOverview(root);
    TMainForm& f = open();
    f.edMapsDir->setText(maps);
    f.edBlankMapFile->setText(indexFile);
    for (Button b : c.before)
        (f.*b)->click();
    const QImage shown = f.workspace().workingImage;
    const bool beforeLoad = c.before.size() < 2;
    c.spoil(root);
    (f.*c.last)->click();

    // Corrupt data gets libjpeg's word for where decoding broke down, as the codec reports it.
    QString error = c.error == nullptr ? QString() : QString::fromUtf8(c.error).replace("%1", dir.path());
    if (error == "corrupt")
        error = ErrorText([] { DecodeJpeg(BadHuffman(), -1); });
    EXPECT_EQ(dialogs.errors, error.isEmpty() ? QStringList() : QStringList{error});
    const QString logEnd = c.logEnd == nullptr ? kNotJpeg : QString::fromUtf8(c.logEnd);
    EXPECT_TRUE(f.meRes->toPlainText().endsWith("\n" + logEnd)) << f.meRes->toPlainText().right(200).toStdString();
    EXPECT_EQ(EnabledCommands(f), c.enabled);
    if (beforeLoad) {
        EXPECT_TRUE(f.workspace().workingImage.isNull()) << "nothing half loaded is shown";
    } else {
        // The drawing is still on screen, and Undo still returns to the loaded image.
        EXPECT_EQ(f.workspace().workingImage, shown);
        f.btnUndo->click();
        EXPECT_EQ(f.workspace().workingImage, DecodeJpeg(EncodeJpeg(Overview()), -1));
        EXPECT_TRUE(QFileInfo(root.filePath("index.jpg")).isDir());
        EXPECT_EQ(root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList{"index.jpg", "index.map", "maps"}))
            << "no temporary file is left";
    }

    // The window goes on: Clear all, then the repaired input analyses and loads.
    if (f.btnClearAll->isEnabled())
        f.btnClearAll->click();
    const QStringList kept = f.btnCalcNames->isEnabled() ? QStringList{"btnCalcNames"} : QStringList();  // Clear all keeps it
    EXPECT_EQ(EnabledCommands(f), QStringList{"btnAnalyze"} + kept);
    c.repair(root);
    f.btnAnalyze->click();
    EXPECT_TRUE(f.meRes->toPlainText().endsWith("2 map files analysed\n1 map files is ok"));
    f.btnLoadImage->click();
    EXPECT_TRUE(f.meRes->toPlainText().endsWith("Map image loaded"));
    EXPECT_EQ(EnabledCommands(f), QStringList{"btnCalc"} + kept + QStringList{"btnClearAll"});
    EXPECT_EQ(dialogs.errors.size(), error.isEmpty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInputWindow, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<WindowCase>& param) {
                             QString name = QString::fromLatin1(param.param.what);
                             name.replace(QRegularExpression("[^A-Za-z0-9]"), "_");
                             return name.toStdString();
                         });

// ---- The settings file ----

using BadSettingsWindow = UiFixture;

void ExpectDefaults(TMainForm& f)
{
    EXPECT_EQ(f.logHeight(), 80);
    EXPECT_EQ(f.udLineWidth->value(), 5);
    EXPECT_EQ(f.namesFont(), NamesFont{});
}

TEST_F(BadSettingsWindow, DamagedFileGivesTheDefaultsAndStillTakesTheNextSave)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 37) % 256));
    writeSettings(garbage);
    TMainForm& f = open();
    ExpectDefaults(f);
    EXPECT_TRUE(dialogs.errors.isEmpty());
    f.udLineWidth->setValue(9);
    f.close();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    form.reset();
    EXPECT_EQ(open().udLineWidth->value(), 9);
}

TEST_F(BadSettingsWindow, UnreadableFileGivesTheDefaultsAndItsWriteIsReported)
{
    QDir(dir.path()).mkdir("tessarine.ini");  // a folder where the file should be
    testfiles::Write(settingsPath + "/inside.txt", "kept");
    TMainForm& f = open();
    ExpectDefaults(f);
    f.show();
    EXPECT_TRUE(f.close());
    EXPECT_EQ(dialogs.errors, QStringList{"Unable to write to " + settingsPath});
    EXPECT_EQ(QDir(settingsPath).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"inside.txt"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"tessarine.ini"})
        << "no temporary file is left";
}

}  // namespace
