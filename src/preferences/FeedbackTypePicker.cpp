// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/FeedbackTypePicker.h"

#include "preferences/FeedbackTypeButton.h"

#include <QGridLayout>

namespace corvane {

FeedbackTypePicker::FeedbackTypePicker(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(8);
    int index = 0;
    for (FeedbackType type : allFeedbackTypes) {
        auto* button = new FeedbackTypeButton(type, this);
        button->setSelected(type == selected_);
        connect(button, &QAbstractButton::clicked, this, [this, type] { setSelectedType(type); });
        grid->addWidget(button, index / 2, index % 2);
        buttons_.insert(type, button);
        ++index;
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

void FeedbackTypePicker::setSelectedType(FeedbackType type)
{
    if (type == selected_)
        return;
    selected_ = type;
    for (auto it = buttons_.cbegin(); it != buttons_.cend(); ++it)
        it.value()->setSelected(it.key() == type);
    emit selectedTypeChanged(type);
}

FeedbackTypeButton* FeedbackTypePicker::button(FeedbackType type) const
{
    return buttons_.value(type, nullptr);
}

} // namespace corvane
