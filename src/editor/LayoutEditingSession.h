// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/ScreenLayout.h"
#include "platform/Display.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

namespace corvane {

class LayoutManager;
class ZoneManager;

// The layout editor's session: the zones being drawn over one display, the layout they came from,
// and a draft kept when the editor had to close before its layout was saved. Saving hands the
// zones to the layout store. One session per store, owned by it (of()).
class LayoutEditingSession : public QObject {
    Q_OBJECT
public:
    // The session of the store, made on first use.
    static LayoutEditingSession& of(LayoutManager& layouts);

    const std::optional<ScreenLayout>& editingLayout() const { return editingLayout_; }
    const std::optional<ZoneList>& editingZones() const { return editingZones_; }
    void setEditingZones(std::optional<ZoneList> zones);
    bool isEditing() const { return isEditing_; }

    void startEditing(std::optional<ScreenLayout> layout);
    void stopEditing();
    void cancelEditing();
    void generateGrid(int rows, int columns);
    void addZone();
    void deleteZone(const QUuid& id);
    // Puts back zones the session had before (undo, redo) and shows them.
    void replaceEditingZones(const ZoneList& zones);
    // The display the session edits on, as it is now: the main display when the session
    // began. None when that display is gone (or no session runs).
    std::optional<Display> editingDisplay() const;
    // Shows the session's zones afresh over its display, after the display changed size or
    // place.
    void refreshEditingOverlay();

    // A layout whose editor had to close before it was saved (its display went away). Its id is
    // the edited custom layout's, or a new one; saving it adds or replaces accordingly.
    const std::optional<ScreenLayout>& draft() const { return draft_; }
    void setDraft(std::optional<ScreenLayout> draft);
    std::optional<ScreenLayout> takeDraft();
    // False when it could not be saved: the session stays open.
    bool saveEditedLayout(const QString& name);

signals:
    void editingLayoutChanged();
    void editingZonesChanged();
    void isEditingChanged();
    void draftChanged();

private:
    explicit LayoutEditingSession(LayoutManager& layouts);
    bool runOnOwnThread(std::function<void()> call);
    void setEditingLayout(std::optional<ScreenLayout> layout);
    void setIsEditing(bool editing);
    void showEditingZones(const ZoneList& zones);
    // After a session that ends: the editing display shows its own layout again, not the
    // session's zones.
    void showEditingDisplaysLayout();

    LayoutManager& layouts_;
    ZoneManager& zoneManager_;
    std::optional<ScreenLayout> editingLayout_;
    std::optional<ZoneList> editingZones_;
    bool isEditing_ = false;
    QString editingDisplayKey_;
    std::optional<ScreenLayout> draft_;
    ZoneList originalZones_;
};

} // namespace corvane
