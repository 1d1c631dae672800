// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/ScreenLayout.h"
#include "platform/Display.h"

#include <QColor>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace corvane {

class GridView;
class OverlayWindow;

// Keeps the zones each display uses right now and owns the editing and preview overlay: a
// transparent window over a whole display showing a layout's zones in a GridView, either briefly
// after a layout is chosen or as the surface the layout editor drags zones on.
//
// Not an X11 window manager: it manages Corvane's zones, not other clients' windows. (The name
// elsewhere in this field is "window manager"; on Linux that word belongs to openbox and friends.)
//
// Everything runs on the GUI thread; an operation called from another thread posts itself there
// and does nothing if the manager is gone by then.
class ZoneManager : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultPreviewShowDelay{100};
    static constexpr std::chrono::milliseconds defaultPreviewHideDelay{300};

    // The process's instance, created on first use and destroyed with the application.
    static ZoneManager& shared();

    // A separate instance (tests). Loads the current layout.
    explicit ZoneManager(QObject* parent = nullptr);
    ~ZoneManager() override;

    // Zones by display identifier (monitorID). Entries are replaced, never removed.
    const QHash<QString, ZoneList>& monitorZones() const { return monitorZones_; }
    // The zones most recently set for any display; the fallback for a display with no entry.
    const std::optional<ZoneList>& customZones() const { return customZones_; }
    // The editing or preview overlay currently shown.
    OverlayWindow* overlayWindow() const { return overlayWindow_.get(); }

    // Reads "currentLayout" into customZones; without one, stores the default layout.
    void loadCurrentLayout();

    void updateZones(const ZoneList& zones, const Display& display, bool showOverlay,
                     bool isEditing);
    void showOverlay(const Display& display, bool showStrokes, bool isEditing);
    void hideOverlay();
    // Records the layout for the display and shows it briefly: after the show delay, for the
    // hide delay.
    void showLayoutPreview(const ScreenLayout& layout, const Display& display);
    void updateZoneColors(const QColor& normal, const QColor& highlight);
    // The zone the layout editor's keyboard works on, and whether the keys go to the zones now
    // (it then wears a focus ring). Kept for every editing overlay shown later.
    void setEditingFocus(const std::optional<QUuid>& zoneId, bool focusRing);

    // Tests shorten or stretch the preview; a call uses the delays set when it is made.
    void setPreviewDelays(std::chrono::milliseconds show, std::chrono::milliseconds hide);

signals:
    // A display's zones were set (a layout chosen or applied, the layout in use saved); not for
    // the live steps of an editing session.
    void zonesSet(const corvane::Display& display, const corvane::ZoneList& zones);

private:
    bool hopToOwnThread(std::function<void()> operation);
    void installEditingHandlers(GridView& view);
    void applyEditingFocus(GridView& view) const;
    GridView* overlayGridView() const;

    std::unique_ptr<OverlayWindow> overlayWindow_;
    // The overlay a preview showed, until someone else shows or takes over an overlay.
    QPointer<OverlayWindow> previewOverlay_;
    std::optional<ZoneList> customZones_;
    QHash<QString, ZoneList> monitorZones_;
    std::optional<QUuid> editingFocus_;
    bool editingFocusRing_ = false;
    std::chrono::milliseconds previewShowDelay_ = defaultPreviewShowDelay;
    std::chrono::milliseconds previewHideDelay_ = defaultPreviewHideDelay;
};

} // namespace corvane
