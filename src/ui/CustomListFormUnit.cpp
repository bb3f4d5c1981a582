// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CustomListFormUnit.h"

#include "model/gvars.h"
#include "ui/ControlHints.h"
#include "ui/WindowWidgets.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent, QRect geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

TCustomListForm::TCustomListForm(const MapData& mapData,
                                 std::function<void(const std::function<void()>&)> reportErrors,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      data_(mapData),
      reportErrors_(std::move(reportErrors))
{
    setObjectName(QStringLiteral("CustomListForm"));
    setWindowTitle(QStringLiteral("Custom list"));
    setFont(WindowFont());
    setMinimumSize(444, 360);
    resize(762, 440);

    Label1 = new QLabel(
        QStringLiteral("You can generate list and modify it as you like, including using outer text editors"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 8, 746, 13);

    meList = new QPlainTextEdit(this);
    meList->setObjectName(QStringLiteral("meList"));
    meList->setGeometry(8, 27, 577, 405);
    meList->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    meList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    meList->setAccessibleName(QStringLiteral("Custom list"));
    Label1->setBuddy(meList);

    gpGenerate = new QGroupBox(QStringLiteral("Generate"), this);
    gpGenerate->setObjectName(QStringLiteral("gpGenerate"));
    gpGenerate->setGeometry(591, 27, 163, 118);
    btnNames = MakeButton(QStringLiteral("With map names"), "btnNames", gpGenerate, {8, 20, 145, 25});
    btnFiles = MakeButton(QStringLiteral("With map file names"), "btnFiles", gpGenerate, {8, 51, 145, 25});
    btnImg = MakeButton(QStringLiteral("With graphics file names"), "btnImg", gpGenerate, {8, 82, 145, 25});

    gpEdit = new QGroupBox(QStringLiteral("Modify"), this);
    gpEdit->setObjectName(QStringLiteral("gpEdit"));
    gpEdit->setGeometry(591, 151, 163, 150);
    btnRemoveExt = MakeButton(QStringLiteral("Remove file extensions"), "btnRemoveExt", gpEdit, {8, 20, 145, 25});
    btnCutLeft = MakeButton(QStringLiteral("Trim left"), "btnCutLeft", gpEdit, {8, 51, 145, 25});
    btnCutRight = MakeButton(QStringLiteral("Trim right"), "btnCutRight", gpEdit, {8, 82, 145, 25});
    btnRemIdent = MakeButton(QStringLiteral("Remove all identic"), "btnRemIdent", gpEdit, {8, 113, 145, 25});
    btnRemIdent->setEnabled(false);

    btnOk = MakeButton(QStringLiteral("Ok"), "btnOk", this, {591, 407, 75, 25});
    btnCancel = MakeButton(QStringLiteral("Cancel"), "btnCancel", this, {679, 407, 75, 25});

    connect(btnNames, &QPushButton::clicked, this, [this] { generate(ListField::MapName); });
    connect(btnFiles, &QPushButton::clicked, this, [this] { generate(ListField::FileName); });
    connect(btnImg, &QPushButton::clicked, this, [this] { generate(ListField::ImageFile); });
    connect(btnRemoveExt, &QPushButton::clicked, this, [this] { modify(RemoveExtensions); });
    connect(btnCutLeft, &QPushButton::clicked, this, [this] { modify(CutFirstCharacters); });
    connect(btnCutRight, &QPushButton::clicked, this, [this] { modify(CutLastCharacters); });
    connect(btnRemIdent, &QPushButton::clicked, this, [this] { btnRemIdentClick(); });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    ApplyCustomListHints(this);
}

QStringList TCustomListForm::lines() const
{
    const QString text = meList->toPlainText();
    if (text.isEmpty())
        return {};
    QStringList result = text.split(u'\n');
    if (result.last().isEmpty())
        result.removeLast();
    return result;
}

void TCustomListForm::setLines(const QStringList& lines)
{
    // Every line ends with a break, so that a last line that is empty
    // survives being read back.
    QString text;
    for (const QString& line : lines)
        text += line + u'\n';
    meList->setPlainText(text);
}

void TCustomListForm::generate(ListField field)
{
    reportErrors_([&] {
        setLines(GenerateList(data_, field));
        // Once enabled it stays so, whatever is generated or typed later.
        if (AllLinesSameLength(lines()))
            btnRemIdent->setEnabled(true);
    });
}

void TCustomListForm::modify(QStringList (*edit)(const QStringList&, qsizetype))
{
    reportErrors_([&] { setLines(edit(lines(), static_cast<qsizetype>(data_.Maps.size()))); });
}

void TCustomListForm::btnRemIdentClick()
{
    reportErrors_([&] {
        const QStringList current = lines();
        if (!current.isEmpty())
            setLines(RemoveIdenticPositions(current));
    });
}

void TCustomListForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TCustomListForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Anchors: the text box follows all four sides, the groups the top
    // right corner, Ok and Cancel the bottom right one.
    const int dx = width() - 762;
    const int dy = height() - 440;
    Label1->setGeometry(8, 8, 746 + dx, 13);
    meList->setGeometry(8, 27, 577 + dx, 405 + dy);
    gpGenerate->move(591 + dx, 27);
    gpEdit->move(591 + dx, 151);
    btnOk->move(591 + dx, 407 + dy);
    btnCancel->move(679 + dx, 407 + dy);
}
