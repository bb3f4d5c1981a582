// SPDX-License-Identifier: GPL-3.0-or-later
// Drives each case of tests/cases/window/ through the main window: the
// controls it sets, the buttons it clicks and the dialogs it answers in
// advance. The format is described in tests/cases/README.md.

#include "CaseRunner.h"
#include "FakeDialogs.h"
#include "ui/Dialogs.h"
#include "ui/MainFormUnit.h"
#include "ui/RadioGroup.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>

#include <memory>
#include <stdexcept>

namespace {

class WindowCase : public cases::CaseRunner, public ::testing::TestWithParam<QString> {
protected:
    Workspace& workspace() override
    {
        if (!form)
            throw std::runtime_error("no window: the case opens none");
        return form->workspace();
    }
    QStringList logLines() const override { return form ? form->meRes->toPlainText().split(u'\n') : QStringList(); }
    bool enabled(qsizetype command) override { return control("btn" + cases::kCommands[command])->isEnabled(); }
    void endStep() override
    {
        CaseRunner::endStep();
        EXPECT_EQ(dialogs.shown, QStringList()) << "a dialog no case line expected";
        EXPECT_EQ(dialogs.busyDialogs, 0) << "a dialog under the wait cursor";
        dialogs.shown.clear();
    }

    QWidget* control(const QString& name) const
    {
        QWidget* widget = form ? form->findChild<QWidget*>(name) : nullptr;
        if (widget == nullptr)
            throw std::runtime_error("no control " + name.toStdString());
        return widget;
    }

    // What a control shows: a box's text, a caption, or a list's items.
    QString text(QWidget* w) const
    {
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            return items.join(u'|');
        }
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        return w->property("text").toString();
    }

    void pick(QWidget* w, const QString& value)
    {
        if (auto* combo = qobject_cast<QComboBox*>(w))
            combo->setCurrentIndex(combo->findData(value.toInt()) >= 0 ? combo->findData(value.toInt()) : value.toInt());
        else if (auto* group = qobject_cast<TRadioGroup*>(w))
            group->setItemIndex(value.toInt());
        else if (auto* box = qobject_cast<QCheckBox*>(w))
            box->setChecked(value == "1");
        else if (auto* spin = qobject_cast<QSpinBox*>(w))
            spin->setValue(value.toInt());
        else
            qobject_cast<QAbstractSlider*>(w)->setValue(value.toInt());
    }

    void answer(const QStringList& a)
    {
        const QString rest = a.mid(2).join(u' ');
        if (a[1] == "folder")
            dialogs.directories.push_back(rest);
        else if (a[1] == "map")
            dialogs.mapFiles.push_back(rest);
        else if (a[1] == "save")
            dialogs.saveFiles.push_back(path(rest));
        else if (a[1] == "yes" || a[1] == "no")
            dialogs.yes.push_back(a[1] == "yes");
        else if (a[1] == "number")
            dialogs.numbers.push_back(rest.toInt());
        else if (a[1] == "publish")
            dialogs.publishes.push_back({path(a[2]), a.value(3) == "-" ? QString() : a.value(3),
                                         a.size() > 4 ? path(a[4]) : QString()});
        else if (a[1] == "cancel")  // the next long step, once half done
            dialogs.cancelHalfway = true;
        else if (a[1] == "list")  // the lines to leave in it, then ok or cancel
            dialogs.customList = [lines = a.mid(2, a.size() - 3).join(u' ').replace(u'|', u'\n'), ok = a.last() == "ok"](
                                     TCustomListForm& d) {
                d.meList->setPlainText(lines);
                return ok;
            };
        else
            ADD_FAILURE() << "no such dialog";
    }

    // Runs a step: its errors are what the error boxes showed, and the
    // cursor is noted when it first lets the window repaint (after its
    // first log line), if it ever does.
    void step(const std::function<void()>& action)
    {
        startStep();
        const qsizetype shownErrors = dialogs.errors.size();
        previous = workspace().workingImage;
        firstCursor.reset();
        QTimer::singleShot(0, form.get(), [this] {
            if (const QCursor* cursor = QGuiApplication::overrideCursor())
                firstCursor = cursor->shape();
        });
        action();
        QCoreApplication::processEvents();
        error = dialogs.errors.mid(shownErrors).join(u'\n');
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the wait cursor outlived the step";
    }

    // A file or folder dropped on the window, as a file manager drops it.
    void drop(const QString& file)
    {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        QDropEvent dropped(QPointF(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &dropped);
    }

    // The labels of the real Publish dialog as they read: a label with a
    // buddy without its mnemonic's '&', then '>' and the buddy's name.
    QString publishLabels()
    {
        QStringList labels;
        QTimer::singleShot(0, form.get(), [&labels] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            for (const QLabel* label : dialog->findChildren<QLabel*>()) {
                const QWidget* buddy = label->buddy();
                labels << (buddy ? QString(label->text()).remove(u'&') + u'>' + buddy->objectName() : label->text());
            }
            dialog->reject();
        });
        QtDialogs().choosePublish(form.get(), {});
        return labels.join(u'|');
    }

    // Whether a box is framed red: the colour of its frame, half way down
    // its left edge, as it is painted.
    bool framedRed(QWidget* w) const
    {
        const QImage shot = w->grab().toImage();
        const QColor c = shot.pixelColor(0, shot.height() / 2);
        return c.red() > 150 && c.green() < 100 && c.blue() < 100;
    }

    bool driverLine(const QStringList& a) override
    {
        const QString rest = a.mid(2).join(u' ');
        if (a[0] == "open") {
            form.reset();
            form = std::make_unique<TMainForm>(path("tessarine.ini"), &dialogs);
        } else if (a[0] == "close") {
            step([&] { EXPECT_TRUE(form->close()); });
            EXPECT_EQ(form->customListForm(), nullptr) << "closing releases the Custom list dialog";
        } else if (a[0] == "type") {
            qobject_cast<QLineEdit*>(control(a[1]))->setText(rest);
        } else if (a[0] == "pick") {
            pick(control(a[1]), rest);
        } else if (a[0] == "click") {
            step([&] { qobject_cast<QAbstractButton*>(control(a[1]))->click(); });
        } else if (a[0] == "drop") {
            drop(a.mid(1).join(u' '));
        } else if (a[0] == "busy") {
            EXPECT_EQ(firstCursor == Qt::WaitCursor, a[1] == "yes") << "the wait cursor at the step's first line";
        } else if (a[0] == "answer") {
            answer(a);
        } else if (a[0] == "dialog") {
            EXPECT_EQ(dialogs.shown.value(0), a.mid(1).join(u' '));
            if (!dialogs.shown.isEmpty())
                dialogs.shown.removeFirst();
        } else if (a[0] == "on" || a[0] == "off") {
            for (const QString& name : a.mid(1))
                EXPECT_EQ(control(name)->isEnabled(), a[0] == "on") << name.toStdString();
        } else if (a[0] == "text") {
            EXPECT_EQ(text(control(a[1])), rest);
        } else if (a[0] == "name") {
            EXPECT_EQ(control(a[1])->accessibleName(), rest);
        } else if (a[0] == "tip") {
            EXPECT_EQ(control(a[1])->toolTip().replace(u'\n', u'|'), rest);
        } else if (a[0] == "framed") {
            EXPECT_EQ(framedRed(control(a[1])), rest == "red") << a[1].toStdString();
        } else if (a[0] == "publish-labels") {
            EXPECT_EQ(publishLabels(), a.mid(1).join(u' '));
        } else if (a[0] == "custom") {
            const auto& list = form->workspace().data.CustomList;
            EXPECT_EQ(!list ? "none" : list->isEmpty() ? "empty" : list->join(u'|'), a.mid(1).join(u' '));
        } else if (a[0] == "unchanged") {
            EXPECT_EQ(form->workspace().workingImage, previous) << "the working image changed";
        } else {
            return false;
        }
        return true;
    }

    FakeDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    QImage previous;  // the working image before the last step
    std::optional<Qt::CursorShape> firstCursor;  // the last step's, at its first line
};

TEST_P(WindowCase, GivesWhatTheCaseSays)
{
    try {
        runCase(TESSARINE_TEST_CASES "/window", GetParam());
    } catch (const std::runtime_error& e) {
        ADD_FAILURE() << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowCase, ::testing::ValuesIn(cases::CaseFiles(TESSARINE_TEST_CASES "/window")),
                         cases::CaseName);

}  // namespace
