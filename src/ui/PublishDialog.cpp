// SPDX-License-Identifier: GPL-3.0-or-later
// The Publish dialog: a folder for the web index, where its links lead and
// the library's catalogue to join to its sheets, and whether it has thumbnails.

#include "ui/Dialogs.h"

#include "ui/ControlHints.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>
#include <memory>

std::optional<PublishChoice> QtDialogs::choosePublish(QWidget* parent, const PublishChoice& preset)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Publish web index"));
    auto* dir = new QLineEdit(preset.dir, &dialog);
    dir->setObjectName(QStringLiteral("edPublishDir"));
    dir->setAccessibleName(QStringLiteral("Folder"));
    auto* browse = new QPushButton(QStringLiteral("..."), &dialog);
    browse->setObjectName(QStringLiteral("btnPublishDir"));
    browse->setAccessibleName(QStringLiteral("Choose the folder"));
    auto* links = new QLineEdit(preset.linkBase, &dialog);
    links->setObjectName(QStringLiteral("edPublishLinks"));
    links->setAccessibleName(QStringLiteral("Links to the sheets"));
    links->setPlaceholderText(QStringLiteral("the maps folder, relative to the page"));
    auto* catalogue = new QLineEdit(preset.catalogue, &dialog);
    catalogue->setObjectName(QStringLiteral("edCatalogue"));
    catalogue->setAccessibleName(QStringLiteral("Catalogue"));
    catalogue->setPlaceholderText(QStringLiteral("none"));
    auto* browseCatalogue = new QPushButton(QStringLiteral("..."), &dialog);
    browseCatalogue->setObjectName(QStringLiteral("btnCatalogue"));
    browseCatalogue->setAccessibleName(QStringLiteral("Choose the catalogue"));
    auto* thumbnails = new QCheckBox(QStringLiteral("&Thumbnails of the sheets"), &dialog);
    thumbnails->setObjectName(QStringLiteral("chkThumbnails"));
    thumbnails->setAccessibleName(QStringLiteral("Thumbnails of the sheets"));
    thumbnails->setToolTip(QStringLiteral("A small picture of each sheet whose image can be read, shown in its popup."));
    thumbnails->setChecked(preset.thumbnails);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);

    auto* dirRow = new QHBoxLayout;
    dirRow->addWidget(dir);
    dirRow->addWidget(browse);
    auto* catalogueRow = new QHBoxLayout;
    catalogueRow->addWidget(catalogue);
    catalogueRow->addWidget(browseCatalogue);
    auto* form = new QFormLayout(&dialog);
    // A label beside a row of widgets has no buddy of its own: without one
    // its mnemonic shows as a literal '&'.
    const auto label = [&dialog](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, &dialog);
        l->setBuddy(buddy);
        return l;
    };
    form->addRow(label(QStringLiteral("&Folder:"), dir), dirRow);
    form->addRow(QStringLiteral("&Links to (URL or folder):"), links);
    form->addRow(label(QStringLiteral("&Catalogue…"), catalogue), catalogueRow);
    form->addRow(QString(), thumbnails);
    form->addRow(buttons);
    ApplyPublishHints(&dialog);
    dialog.resize(520, dialog.sizeHint().height());

    QObject::connect(browse, &QPushButton::clicked, &dialog, [&dialog, dir] {
        const QString chosen = QFileDialog::getExistingDirectory(&dialog, QStringLiteral("Folder of the web index"),
                                                                 dir->text());
        if (!chosen.isEmpty())
            dir->setText(chosen);
    });
    QObject::connect(browseCatalogue, &QPushButton::clicked, &dialog, [&dialog, catalogue] {
        const QString chosen = QFileDialog::getOpenFileName(&dialog, QStringLiteral("Catalogue of the sheets"),
                                                            catalogue->text(), QStringLiteral("CSV (*.csv);;All files (*)"));
        if (!chosen.isEmpty())
            catalogue->setText(chosen);
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, dir] {
        if (!dir->text().trimmed().isEmpty())
            dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PublishChoice{dir->text().trimmed(), links->text().trimmed(), catalogue->text().trimmed(),
                         thumbnails->isChecked()};
}

ProgressFunction QtDialogs::showProgress(QWidget* parent)
{
    // Made on the first report: a step that ends sooner shows nothing.
    auto dialog = std::make_shared<std::unique_ptr<QProgressDialog>>();
    return [dialog, parent](const QString& what, qint64 done, qint64 total) {
        if (!*dialog) {
            *dialog = std::make_unique<QProgressDialog>(parent);
            QProgressDialog& d = **dialog;
            d.setObjectName(QStringLiteral("dlgProgress"));
            d.setAccessibleName(QStringLiteral("Progress"));
            d.setWindowTitle(QStringLiteral("Tessarine"));
            d.setWindowModality(Qt::WindowModal);
            d.setMinimumDuration(500);
            d.setAutoReset(false);
            d.setAutoClose(false);
        }
        QProgressDialog& d = **dialog;
        d.setLabelText(what + QStringLiteral("…"));
        // QProgressDialog counts in int.
        const qint64 step = std::max<qint64>(1, (total + 999999) / 1000000);
        d.setMaximum(int(std::max<qint64>(total, 1) / step));
        d.setValue(int(std::min(done, total) / step));
        return !d.wasCanceled();
    };
}
