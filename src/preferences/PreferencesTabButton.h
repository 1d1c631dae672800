// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/PreferencesTab.h"

#include <QAbstractButton>

namespace corvane {

// One entry of the preferences sidebar: the tab's symbol and title on a rounded background
// that is tinted with the accent colour while the tab is selected. Pressing it emits clicked().
class PreferencesTabButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PreferencesTabButton(PreferencesTab tab, QWidget* parent = nullptr);

    PreferencesTab tab() const { return tab_; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // A title too long for the sidebar wraps onto a second line.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect textRect(int width) const;

    PreferencesTab tab_;
    bool selected_ = false;
    bool hovered_ = false;
    bool keyboardFocus_ = false;
};

} // namespace corvane
