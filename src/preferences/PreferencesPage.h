// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

class QVBoxLayout;

namespace corvane {

// The scrolling body every preference page is built on: a column of sections with the page's
// padding, scrolling vertically when the window is shorter than the page.
class PreferencesPage : public QScrollArea {
    Q_OBJECT
public:
    explicit PreferencesPage(QWidget* parent = nullptr);

protected:
    // Where the page adds its sections, top to bottom.
    QVBoxLayout* column() const { return column_; }
    // Call once every section is added: keeps the sections at the top.
    void finishColumn();

private:
    QVBoxLayout* column_ = nullptr;
};

} // namespace corvane
