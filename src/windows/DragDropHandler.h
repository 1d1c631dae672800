// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/Accessibility.h"
#include "platform/Display.h"
#include "platform/InputMonitor.h"
#include "windows/AccessibilityElement.h"
#include "windows/DragKey.h"
#include "windows/MonotonicClock.h"

#include <QColor>
#include <QObject>
#include <atomic>
#include <memory>
#include <optional>

class QTimer;

namespace corvane {

class OverlayView;
class OverlayWindow;
class ZoneManager;

// Turns an ordinary window drag into a snap: with the modifier held, the zones of the display
// under the pointer are shown, the nearest one is highlighted, and releasing the button moves
// and resizes the window to fill it. Watches global mouse events only.
class DragDropHandler : public QObject {
    Q_OBJECT
public:
    explicit DragDropHandler(ZoneManager& zoneManager, QObject* parent = nullptr);
    ~DragDropHandler() override;

    void handleMouseDown(const MouseEvent& event);
    void handleMouseDragged(const MouseEvent& event);
    void handleMouseUp(const MouseEvent& event);
    // One poll of the dragged window; run every 0.1 s by the timer after a mouse-down.
    void checkForDrag();

    // The snap key as stored now, in the event or held now.
    bool isModifierPressed(const MouseEvent& event) const;
    bool isModifierKeyPressed() const;

    // State, for the status of a gesture and for tests.
    bool isTracking() const { return isTracking_; }
    bool isPolling() const;
    OverlayWindow* overlayWindow() const { return overlayWindow_.get(); }
    OverlayView* overlayView() const;
    const std::optional<AccessibilityElement>& windowElement() const { return windowElement_; }
    const std::optional<ElementHandle>& draggedWindow() const { return draggedWindow_; }
    // Milliseconds for the poll's lateness check; tests replace it.
    void setClock(MillisecondClock clock) { clock_ = std::move(clock); }

    // How far from a press near a window's top edge (its title bar) the pointer must be let go,
    // the snap modifier held all along, before a window that never moved counts as a failed
    // snap rather than a click; and how deep that top band is.
    static constexpr double noMoveDistance = 40;
    static constexpr double titleBandDepth = 48;

signals:
    // A drag that began on a window's title bar with the snap modifier held ended with it held,
    // far from where it began, but the window never moved: the window manager does not move
    // windows while that key is held.
    void modifierDragMovedNoWindow();

private:
    // The stored snap key, or Shift when the stored one cannot be followed here.
    DragKey snapKey() const;
    // Asks the input monitor to follow the keys that are not modifiers; whether one of them was
    // not followed before.
    bool followKeys(const QList<DragKey>& keys);
    std::optional<Zone> zoneNearest(Point pointer, const Display& display) const;
    std::optional<Zone> zoneNearest(Point pointer, const Display& display,
                                    const QString& monitorId) const;
    // What a press at the point (screen space) is on: the window element to move, and the
    // window to watch for movement (the element's window, else its parent's).
    struct WindowUnderPointer {
        std::optional<AccessibilityElement> element;
        std::optional<ElementHandle> window;
    };
    WindowUnderPointer windowAt(Point pointer) const;
    // On the display under the pointer (screen space).
    void createOverlayWindow(Point pointer);
    void closeOverlayWindow();
    void dropOverlayOfChangedDisplay();
    void highlightZone(const std::optional<Zone>& zone);
    // With the span key held, every zone between the one under the pointer when it went down and
    // `zone`, the one under the pointer now, joins the highlight; without it, none does.
    void spanZones(const MouseEvent& event, const Display& display, const Zone& zone);
    void applyStoredZoneColors(OverlayView& view) const;
    void stopTimer();
    void resetDragState();
    void snap(const Zone& zone, const Display& display);
    // A drag that moved the window ended without a snap, the button released at `release`
    // (screen space): a window Corvane snapped may get its earlier size back.
    void droppedOutsideZones(Point release);

    ZoneManager& zoneManager_;
    std::optional<ElementHandle> draggedWindow_;
    std::optional<AccessibilityElement> windowElement_;
    std::optional<Point> initialMouseLocation_;
    std::optional<Rect> initialWindowFrame_;
    std::unique_ptr<OverlayWindow> overlayWindow_;
    QString overlayMonitorId_; // the identifier of the overlay's display
    std::optional<InputMonitor::MonitorId> globalEventMonitor_;
    bool isTracking_ = false;
    std::atomic<int> queuedEvents_ = 0; // mouse events queued and not yet handled
    std::unique_ptr<QTimer> checkForDragTimer_;
    std::optional<Point> lastCheckPosition_;
    std::optional<std::uint64_t> lastCheckTime_;
    bool initialModifierPressed_ = false;
    DragKey gestureKey_ = DragKey::shift(); // the snap key as read at this gesture's mouse-down
    QList<int> followedKeys_;
    mutable QString refusedKeyName_;     // the stored key last said to be unusable
    double gestureSpaceAroundZones_ = 0; // as read at mouse-down, for the overlay
    // Where a press with the snap key began on a window's title bar; outlives the poll.
    std::optional<Point> titleBarPress_;
    std::optional<DragKey> gestureSpanKey_; // read at mouse-down too; none: no spanning
    std::optional<Zone> spanAnchor_;        // under the pointer when the span key went down
    ZoneList spannedZones_;
    MillisecondClock clock_ = uptimeMilliseconds;
};

} // namespace corvane
