// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        layout->addWidget(button);
        buttons_.append(button);
    }
    // Checking a button by any road (a click, the arrow keys, a screen
    // reader's toggle action) selects its item; a click alone would miss
    // the last two.
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked || id == index_)
            return;
        index_ = id;
        emit clicked();
    });
}

void TRadioGroup::setItemIndex(int index)
{
    index = std::clamp(index, -1, count() - 1);
    if (index == index_)
        return;
    index_ = index;
    // An exclusive group cannot uncheck its last button by itself.
    group_->setExclusive(false);
    for (int i = 0; i < count(); ++i)
        buttons_[i]->setChecked(i == index_);
    group_->setExclusive(true);
    emit clicked();
}
