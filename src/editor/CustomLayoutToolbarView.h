// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ZoneEditHistory.h"
#include "editor/ZoneSelection.h"

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <functional>

class QLineEdit;
class QMenu;
class QMessageBox;
class QPushButton;

namespace corvane {

class CustomGridPopup;
class LayoutManager;

// The layout editor's floating toolbar: the layout's name, the grid presets, adding and deleting
// zones, Cancel (Escape) and Save (Ctrl+Return). It works on the layout manager's editing session
// and hands the end of the editor to `onClose`.
//
// It also holds the keyboard for the zones, which live in the editing overlay (a window that
// never takes the keyboard): the zones are the stop of the Tab chain after the name field. There
// Tab and Shift+Tab walk through them in layout order, the arrow keys move the focused zone, Shift
// with them resizes it, and Delete removes it as Delete Zone does.
class CustomLayoutToolbarView : public QWidget {
    Q_OBJECT
public:
    static constexpr int toolbarWidth = 1000;
    static constexpr int toolbarHeight = 70;
    static constexpr qreal cornerRadius = 12;
    static QColor accentColor() { return QColor::fromRgbF(0.0f, 0.48f, 1.0f); }
    static QColor toolbarBackground() { return QColor::fromRgbF(0.95f, 0.97f, 1.0f); }

    CustomLayoutToolbarView(LayoutManager& layoutManager, std::function<void()> onClose,
                            QWidget* parent = nullptr);

    // The name as typed; saved exactly so, surrounding spaces included.
    QString layoutName() const;
    const ZoneSelection& selection() const { return selection_; }
    // Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) step through it.
    ZoneEditHistory& history() { return history_; }
    bool isClosing() const { return isClosing_; }
    bool isGridGeneratorShown() const;
    // Whether the keys go to the zones (the selected zone then wears a focus ring).
    bool zonesHaveKeyboard() const { return hasFocus(); }

    // The toolbar's actions, as its controls and shortcuts run them.
    void addZone();
    void deleteSelectedZone();
    void generateGrid(int rows, int columns);
    void showGridGenerator();
    void cancel();
    void save();

    QLineEdit* nameField() const { return nameField_; }
    QPushButton* gridMenuButton() const { return gridButton_; }
    QMenu* gridMenu() const { return gridMenu_; }
    QPushButton* addZoneButton() const { return addZone_; }
    QPushButton* deleteZoneButton() const { return deleteZone_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* saveButton() const { return save_; }
    CustomGridPopup* gridPopup() const { return popup_; }
    // The alert of a save that did not reach the disk, while it is shown.
    QMessageBox* saveFailureAlert() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QWidget* buildNameGroup();
    void buildGridMenu();
    void updateDeleteButton();
    void updateSaveButton();
    void selectionChanged();
    // Tells the editing overlay which zone has the keyboard, and whether the zones have it.
    void updateZoneFocus();
    void selectZone(const QUuid& id);
    void stepSelectedZone(double dx, double dy, bool resize);

    LayoutManager& layoutManager_;
    std::function<void()> onClose_;
    ZoneSelection selection_;
    ZoneEditHistory history_{layoutManager_};
    bool isClosing_ = false;

    QLineEdit* nameField_ = nullptr;
    QPushButton* gridButton_ = nullptr;
    QMenu* gridMenu_ = nullptr;
    QPushButton* addZone_ = nullptr;
    QPushButton* deleteZone_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* save_ = nullptr;
    CustomGridPopup* popup_ = nullptr;
    QPointer<QMessageBox> saveFailure_;
};

} // namespace corvane
