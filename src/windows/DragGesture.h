// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Display.h"
#include "platform/WindowMove.h"
#include "windows/DragKey.h"
#include "windows/ZoneHighlight.h"

#include <QColor>
#include <memory>
#include <optional>

namespace corvane {

class OverlayView;
class OverlayWindow;
class ZoneManager;

// One window move, from the window manager's first move of the window to the release of the
// button. While the move asks for zones (DragIntent), the zones of the display under the
// pointer are shown with the one to go to highlighted; the release snaps the window there. A
// move that ends outside the zones may give a snapped window its earlier size back.
//
// What the user chose is read once, when the move starts: steps come at the pointer's rate,
// and reading the settings file costs more than everything else a step does.
class DragGesture {
public:
    struct Choices {
        DragKey snapKey = DragKey::shift();
        std::optional<DragKey> spanKey;
        bool everyMove = false; // where keys are not told, zones on every move
        double spaceAroundZones = 0;
        QColor normalColor;
        QColor highlightColor;
    };

    DragGesture(ZoneManager& zoneManager, const WindowMove& start, Choices choices);
    ~DragGesture();
    DragGesture(const DragGesture&) = delete;
    DragGesture& operator=(const DragGesture&) = delete;

    void step(const WindowMove& move);
    // Snaps or restores as the release asks; the gesture is over after it.
    void finish(const WindowMove& move);
    // A display changed shape or went away: its overlay goes, and the next step shows the
    // zones of the display under the pointer then.
    void dropOverlayOfChangedDisplay(const DisplayList& screens);
    void setZoneColors(const QColor& normal, const QColor& highlight);

    const WindowMove& start() const { return start_; }
    OverlayWindow* overlayWindow() const { return overlayWindow_.get(); }
    OverlayView* overlayView() const;

private:
    // Shows or hides the overlay and updates its highlight for the move; the display under the
    // pointer, if any.
    std::optional<Display> follow(const WindowMove& move);
    void showOverlay(const Display& display);
    void closeOverlay();
    void snap(const Zone& zone, const Display& display);
    void droppedOutsideZones(const WindowMove& release);

    ZoneManager& zoneManager_;
    WindowMove start_;
    Choices choices_;
    std::unique_ptr<OverlayWindow> overlayWindow_;
    QString overlayMonitorId_;
    ZoneHighlight highlight_;
};

} // namespace corvane
