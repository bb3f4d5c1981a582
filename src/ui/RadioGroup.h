// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A titled group of radio buttons with one selected item index, -1 for
// none. `clicked` fires whenever the index changes: by a click, the keys,
// an accessible toggle action or setItemIndex.
class TRadioGroup final : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const { return index_; }
    // Clamps into -1 .. the last item.
    void setItemIndex(int index);
    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int i) const { return buttons_.at(i); }

signals:
    void clicked();

private:
    QButtonGroup* group_;
    QList<QRadioButton*> buttons_;
    int index_ = -1;
};
