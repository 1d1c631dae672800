// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/FeedbackType.h"

#include <QAbstractButton>

class QLabel;

namespace corvane {

class SymbolLabel;

// One choice of the feedback type picker: the type's symbol, title and description.
class FeedbackTypeButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit FeedbackTypeButton(FeedbackType type, QWidget* parent = nullptr);

    FeedbackType type() const { return type_; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateColors();

    FeedbackType type_;
    bool selected_ = false;
    SymbolLabel* symbol_ = nullptr;
};

} // namespace corvane
