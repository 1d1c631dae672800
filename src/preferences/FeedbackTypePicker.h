// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/FeedbackType.h"

#include <QHash>
#include <QWidget>

namespace corvane {

class FeedbackTypeButton;

// The four feedback types as buttons in a grid; exactly one is selected.
class FeedbackTypePicker : public QWidget {
    Q_OBJECT
public:
    explicit FeedbackTypePicker(QWidget* parent = nullptr);

    FeedbackType selectedType() const { return selected_; }
    void setSelectedType(FeedbackType type);
    FeedbackTypeButton* button(FeedbackType type) const;

signals:
    void selectedTypeChanged(corvane::FeedbackType type);

private:
    FeedbackType selected_ = FeedbackType::suggestion;
    QHash<FeedbackType, FeedbackTypeButton*> buttons_;
};

} // namespace corvane
