// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace corvane {

class WindowPicker;

// The applications whose windows Corvane never snaps, on the General page: their names, a
// button that adds the application of the window the user clicks next, and one that removes
// the selected names. Every change is stored at once.
class ExcludedApplicationsView : public QWidget {
    Q_OBJECT
public:
    explicit ExcludedApplicationsView(QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }
    // What the last pick said, when it needs saying.
    QLabel* statusLabel() const { return status_; }
    WindowPicker* picker() const { return picker_; }

    // Shows the stored names.
    void reload();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void addPressed();
    void pickingChanged(bool picking);
    void addApplication(const QStringList& names);
    void removeSelected();

    QListWidget* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* status_ = nullptr;
    WindowPicker* picker_ = nullptr;
};

} // namespace corvane
