// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/ScreenLayout.h"
#include "platform/Display.h"
#include "preferences/PreferencesPage.h"

#include <QPointer>
#include <optional>

class QGridLayout;
class QLabel;
class QMenu;
class QMessageBox;
class QPushButton;

namespace corvane {

class CustomLayoutEditor;
class LayoutManager;
class LayoutPreviewView;
class MonitorSelectionView;

// The "Layout Editor" page of the preferences: pick a display, give it a predefined or custom
// layout, and create, edit or delete custom layouts (in the full-screen editor). It works on the
// layout manager it is given; the application gives it the shared one.
//
// Appearing re-applies every display's stored layout. Disappearing (another tab chosen, the
// window closed) closes an open editor and ends its editing session.
class LayoutEditorView : public PreferencesPage {
    Q_OBJECT
public:
    static constexpr int minimumPageWidth = 600;
    static constexpr int maximumPageWidth = 720;
    static constexpr int minimumPageHeight = 400;

    explicit LayoutEditorView(LayoutManager& layoutManager, QWidget* parent = nullptr);
    ~LayoutEditorView() override;

    const std::optional<ScreenLayout>& selectedLayout() const { return selectedLayout_; }
    const std::optional<Display>& selectedMonitor() const;
    void setSelectedMonitor(std::optional<Display> display);
    bool isEditorActive() const { return isEditorActive_; }
    CustomLayoutEditor* editor() const;
    bool showError() const;
    QString errorMessage() const { return errorMessage_; }
    // The error alert while it is shown, else nullptr.
    QMessageBox* errorAlert() const;

    // What pressing a cell, "Create New", "Edit" and "Delete" do.
    void chooseLayout(const ScreenLayout& layout);
    void createNewLayout();
    void editLayout(const ScreenLayout& layout);
    void deleteLayout(const ScreenLayout& layout);

    MonitorSelectionView* monitorPicker() const { return picker_; }
    QList<LayoutPreviewView*> templateCells() const { return templateCells_; }
    QList<LayoutPreviewView*> customCells() const { return customCells_; }
    QPushButton* createNewButton() const { return createNew_; }
    // The "No custom layouts yet" text; shown only while there are none.
    QLabel* emptyCustomLayoutsLabel() const { return emptyCustom_; }
    // Says that some stored layouts could not be read; shown only while there are some.
    QLabel* unreadableLayoutsNotice() const { return unreadableNotice_; }
    // The question asked before deleting a layout that a display uses, while it is shown.
    QMessageBox* deleteConfirmation() const;
    // Opens the context menu of a custom cell (non-blocking); the menu deletes itself on close.
    QMenu* showContextMenu(LayoutPreviewView* cell, QPoint position);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Places the cells in as many columns as the page's width allows.
    void layOutCells();
    void rebuildCustomLayouts();
    void updateSelectedCells();
    void selectedMonitorChanged();
    void presentError(const QString& message);
    void removeLayout(const ScreenLayout& layout);
    void openEditor(std::optional<ScreenLayout> layout);
    // The choice of the layout's layout key, None or 1 to 9.
    void addLayoutKeyMenu(QMenu& menu, const ScreenLayout& layout);
    void closeEditor();

    LayoutManager& layoutManager_;
    std::optional<ScreenLayout> selectedLayout_;
    QString errorMessage_;
    QPointer<QMessageBox> errorAlert_;
    QPointer<QMessageBox> deleteConfirmation_;
    QPointer<CustomLayoutEditor> editor_;
    bool isEditorActive_ = false;

    MonitorSelectionView* picker_ = nullptr;
    QList<LayoutPreviewView*> templateCells_;
    QList<LayoutPreviewView*> customCells_;
    QGridLayout* templateGrid_ = nullptr;
    QGridLayout* customGrid_ = nullptr;
    int columns_ = 0;
    QPushButton* createNew_ = nullptr;
    QLabel* emptyCustom_ = nullptr;
    QLabel* unreadableNotice_ = nullptr;
};

} // namespace corvane
