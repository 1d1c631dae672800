// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/DragDropHandler.h"

#include "logging/Logger.h"
#include "managers/OverlayView.h"
#include "managers/OverlayWindow.h"
#include "managers/ZoneManager.h"
#include "models/ZoneGeometry.h"
#include "platform/Platform.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "windows/DragKey.h"
#include "windows/ExcludedApplications.h"
#include "windows/SnappedWindows.h"
#include "windows/SpanKey.h"
#include "windows/WindowSnapper.h"

#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

constexpr int pollIntervalMs = 100;
constexpr double moveThreshold = 5.0;
constexpr std::uint64_t lateTickMs = 500;

Platform& platform()
{
    return Platform::current();
}

std::optional<Point> positionOf(ElementHandle element)
{
    const AXAttributeResult r =
        platform().accessibility().copyAttribute(element, AXAttribute::position);
    if (r.error != AXError::Success)
        return std::nullopt;
    if (const auto* p = std::get_if<Point>(&r.value))
        return *p;
    return std::nullopt;
}

} // namespace

DragDropHandler::DragDropHandler(ZoneManager& zoneManager, QObject* parent)
    : QObject(parent), zoneManager_(zoneManager)
{
    const std::uint64_t mask =
        EventMask::leftMouseDown | EventMask::leftMouseUp | EventMask::leftMouseDragged;
    globalEventMonitor_ =
        platform().inputMonitor().addGlobalMonitor(mask, [this](const MouseEvent& e) {
            // A press or a release is handled in its own turn of the event loop, as the work
            // it starts may be long; the drag events, which come at the display's rate, are
            // handled at once (one wake-up fewer each) unless an event before them still waits,
            // so that the order holds. The context object drops queued work once the handler
            // is gone.
            if (e.type == MouseEventType::LeftMouseDragged && queuedEvents_ == 0 &&
                QThread::currentThread() == thread()) {
                handleMouseDragged(e);
                return;
            }
            ++queuedEvents_;
            QMetaObject::invokeMethod(
                this,
                [this, e] {
                    --queuedEvents_;
                    switch (e.type) {
                    case MouseEventType::LeftMouseDown:
                        handleMouseDown(e);
                        break;
                    case MouseEventType::LeftMouseDragged:
                        handleMouseDragged(e);
                        break;
                    case MouseEventType::LeftMouseUp:
                        handleMouseUp(e);
                        break;
                    }
                },
                Qt::QueuedConnection);
        });
    const DragKey snap = snapKey();
    QList<DragKey> keys{snap};
    if (const auto span = SpanKey::forSnapKey(snap))
        keys.append(*span);
    followKeys(keys);
    connect(&platform().displays(), &Displays::screenParametersChanged, this,
            &DragDropHandler::dropOverlayOfChangedDisplay);
    connect(&Notifications::shared(), &Notifications::zoneColorsChanged, this,
            [this](const QColor& normal, const QColor& highlight) {
                if (OverlayView* view = overlayView()) {
                    view->setNormalZoneColor(normal);
                    view->setHighlightZoneColor(highlight);
                }
            });
}

DragDropHandler::~DragDropHandler()
{
    if (globalEventMonitor_ && Platform::isInstalled())
        platform().inputMonitor().removeMonitor(*globalEventMonitor_);
    stopTimer();
}

bool DragDropHandler::isPolling() const
{
    return checkForDragTimer_ && checkForDragTimer_->isActive();
}

OverlayView* DragDropHandler::overlayView() const
{
    return overlayWindow_ ? qobject_cast<OverlayView*>(overlayWindow_->contentView()) : nullptr;
}

bool DragDropHandler::isModifierPressed(const MouseEvent& event) const
{
    return snapKey().isHeldIn(event);
}

bool DragDropHandler::isModifierKeyPressed() const
{
    return snapKey().isHeldNow();
}

DragKey DragDropHandler::snapKey() const
{
    const QString stored = Settings::dragModifierKey();
    const auto key = DragKey::fromName(stored);
    if (key && key->canBeFollowed())
        return *key;
    // The preferences refuse such a key, but the settings file may hold one from elsewhere or a
    // keyboard that had it. Said once per value, not at every drag.
    if (stored != refusedKeyName_) {
        refusedKeyName_ = stored;
        Logger::warning(QStringLiteral("The snap key \"%1\" cannot be followed on this desktop; "
                                       "Shift is used instead")
                            .arg(stored),
                        LogCategory::Window);
    }
    return DragKey::shift();
}

bool DragDropHandler::followKeys(const QList<DragKey>& keys)
{
    QList<int> keyCodes;
    for (const DragKey& key : keys) {
        if (key.keyCode() && !keyCodes.contains(*key.keyCode()))
            keyCodes.append(*key.keyCode());
    }
    bool added = false;
    for (int keyCode : keyCodes)
        added = added || !followedKeys_.contains(keyCode);
    if (keyCodes != followedKeys_) {
        followedKeys_ = keyCodes;
        platform().inputMonitor().followKeys(keyCodes);
    }
    return added;
}

DragDropHandler::WindowUnderPointer DragDropHandler::windowAt(Point pointer) const
{
    Platform& p = platform();
    Accessibility& ax = p.accessibility();
    const auto element = ax.elementAtPosition(
        ax.systemWide(), flipToTopLeft(pointer, primaryHeight(p.displays().screens())));
    if (!element || !element->isValid())
        return {};
    auto windowOf = [&ax](ElementHandle e) -> std::optional<ElementHandle> {
        const AXAttributeResult r = ax.copyAttribute(e, AXAttribute::window);
        if (r.error != AXError::Success)
            return std::nullopt;
        if (const auto* w = std::get_if<ElementHandle>(&r.value); w && w->isValid())
            return *w;
        return std::nullopt;
    };
    WindowUnderPointer found;
    const auto window = windowOf(*element);
    // The element to move: the element itself when it is a window, else its window.
    const AccessibilityElement hit(*element);
    if (window == element || hit.isWindow().value_or(false))
        found.element = hit;
    else if (window)
        found.element = AccessibilityElement(*window);
    // The window to watch: the element's window, else its parent's.
    found.window = window;
    if (!found.window) {
        const AXAttributeResult parent = ax.copyAttribute(*element, AXAttribute::parent);
        if (const auto* e = std::get_if<ElementHandle>(&parent.value);
            parent.error == AXError::Success && e && e->isValid())
            found.window = windowOf(*e);
    }
    return found;
}

void DragDropHandler::handleMouseDown(const MouseEvent& event)
{
    const Point pointer = event.location;
    // The setting is read once per gesture: drag events come at the pointer's rate, and reading
    // the settings file costs several times more than everything else an event does. A key
    // chosen since the last gesture is followed from now on; this event could not say whether it
    // was held, the desktop can.
    gestureKey_ = snapKey();
    gestureSpaceAroundZones_ = Settings::spaceAroundZones();
    gestureSpanKey_ = SpanKey::forSnapKey(gestureKey_);
    QList<DragKey> keys{gestureKey_};
    if (gestureSpanKey_)
        keys.append(*gestureSpanKey_);
    const bool initialModifier =
        followKeys(keys) ? gestureKey_.isHeldNow() : gestureKey_.isHeldIn(event);
    titleBarPress_.reset();
    // One lookup at the press point gives both the element to move and the window to watch.
    const WindowUnderPointer found = windowAt(pointer);
    windowElement_ = found.element;
    // A window of an excluded application is left alone: its drag is not followed at all.
    if (windowElement_ && ExcludedApplications::contains(*windowElement_)) {
        stopTimer();
        resetDragState();
        return;
    }

    const auto& window = found.window;
    if (!window) {
        // A press on the desktop, a panel or the tray: nothing to snap, nothing wrong.
        Logger::debug(QStringLiteral("No client window under the mouse"), LogCategory::Window);
        return;
    }
    Accessibility& ax = platform().accessibility();
    const AXAttributeResult position = ax.copyAttribute(*window, AXAttribute::position);
    const AXAttributeResult size = ax.copyAttribute(*window, AXAttribute::size);
    if (position.error != AXError::Success || size.error != AXError::Success ||
        std::holds_alternative<std::monostate>(position.value) ||
        std::holds_alternative<std::monostate>(size.value)) {
        Logger::error(QStringLiteral("Failed to get window attributes"),
                      LogCategory::Accessibility);
        return;
    }
    const auto* origin = std::get_if<Point>(&position.value);
    const auto* extent = std::get_if<Size>(&size.value);
    if (!origin || !extent)
        return;

    draggedWindow_ = *window;
    initialMouseLocation_ = pointer;
    initialWindowFrame_ = Rect(*origin, *extent);
    lastCheckPosition_ = *origin;
    lastCheckTime_ = clock_();
    initialModifierPressed_ = initialModifier;
    // The window's position is in top-left (accessibility) space.
    const Point pressAt = flipToTopLeft(pointer, primaryHeight(platform().displays().screens()));
    if (initialModifier && pressAt.y >= origin->y && pressAt.y < origin->y + titleBandDepth)
        titleBarPress_ = pointer;

    // A mouse-up that went to one of our own windows leaves a timer running; two timers would
    // both drive the poll.
    stopTimer();
    checkForDragTimer_ = std::make_unique<QTimer>(this);
    checkForDragTimer_->setInterval(pollIntervalMs);
    connect(checkForDragTimer_.get(), &QTimer::timeout, this, &DragDropHandler::checkForDrag);
    checkForDragTimer_->start();
}

void DragDropHandler::checkForDrag()
{
    if (!draggedWindow_ || !lastCheckPosition_ || !lastCheckTime_) {
        stopTimer();
        return;
    }
    const auto current = positionOf(*draggedWindow_);
    if (!current)
        return;

    const Point pointer = platform().inputMonitor().mouseLocation();
    // One rule wherever the pointer is: the drag is followed when the window manager moved the
    // window. A pointer that reached another display over a window that stayed put is a drag
    // the window manager refused (it keeps the key for itself), as it is on the same display.
    const bool moved = std::hypot(current->x - lastCheckPosition_->x,
                                  current->y - lastCheckPosition_->y) > moveThreshold;

    const std::uint64_t now = clock_();
    const std::uint64_t elapsed = now - *lastCheckTime_;
    if (moved) {
        stopTimer();
        if (!isTracking_) {
            isTracking_ = true;
            if (initialModifierPressed_ || gestureKey_.isHeldNow())
                createOverlayWindow(pointer);
        }
    } else if (elapsed > lateTickMs) {
        stopTimer();
        resetDragState();
        return;
    }
    lastCheckPosition_ = *current;
    lastCheckTime_ = now;
}

void DragDropHandler::handleMouseDragged(const MouseEvent& event)
{
    if (!isTracking_)
        return;
    const Point pointer = event.location;
    if (!gestureKey_.isHeldIn(event)) {
        closeOverlayWindow();
        return;
    }
    if (!overlayWindow_)
        createOverlayWindow(pointer);
    const auto display = screenContainingPoint(pointer, platform().displays().screens());
    if (!display)
        return;
    if (!overlayWindow_) {
        createOverlayWindow(pointer);
    } else if (!(overlayWindow_->display() == *display)) {
        closeOverlayWindow();
        createOverlayWindow(pointer);
    }
    // The overlay is of this display now; its identifier is not worked out again at every move.
    const auto zone = zoneNearest(pointer, *display, overlayMonitorId_);
    if (!zone)
        return;
    highlightZone(*zone);
    spanZones(event, *display, *zone);
}

void DragDropHandler::spanZones(const MouseEvent& event, const Display& display, const Zone& zone)
{
    OverlayView* view = overlayView();
    if (!view)
        return;
    if (!gestureSpanKey_ || !gestureSpanKey_->isHeldIn(event)) {
        spanAnchor_.reset();
        spannedZones_.clear();
        view->setSpannedZones({});
        return;
    }
    if (!spanAnchor_)
        spanAnchor_ = zone;
    const ZoneList zones = zoneManager_.monitorZones().value(monitorID(display));
    spannedZones_ = zonesMeeting(spanAnchor_->frame.united(zone.frame), zones);
    view->setSpannedZones(spannedZones_);
}

std::optional<Zone> DragDropHandler::zoneNearest(Point pointer, const Display& display) const
{
    return zoneNearest(pointer, display, monitorID(display));
}

std::optional<Zone> DragDropHandler::zoneNearest(Point pointer, const Display& display,
                                                 const QString& monitorId) const
{
    const auto zones = zoneManager_.monitorZones().constFind(monitorId);
    if (zones == zoneManager_.monitorZones().constEnd())
        return std::nullopt;
    const auto nearest = zoneNearestPoint(pointer, display.visibleFrame, *zones);
    if (!nearest)
        return std::nullopt;
    return zones->at(*nearest);
}

void DragDropHandler::highlightZone(const std::optional<Zone>& zone)
{
    if (OverlayView* view = overlayView())
        view->setHighlightedZone(zone);
}

void DragDropHandler::handleMouseUp(const MouseEvent& event)
{
    stopTimer();
    if (titleBarPress_ && !isTracking_ && gestureKey_.isHeldIn(event)) {
        const Point pointer = event.location;
        if (std::hypot(pointer.x - titleBarPress_->x, pointer.y - titleBarPress_->y) >
            noMoveDistance) {
            Logger::info(QStringLiteral("A drag with the snap modifier held moved no window"),
                         LogCategory::Window);
            emit modifierDragMovedNoWindow();
        }
    }
    titleBarPress_.reset();
    bool snapped = false;
    if (isTracking_ && gestureKey_.isHeldIn(event)) {
        OverlayView* view = overlayView();
        if (view && view->highlightedZone()) {
            // Spanning, the window fills the zones spanned together; a span key let go before
            // the button leaves the one zone under the pointer.
            const auto span = gestureSpanKey_ && gestureSpanKey_->isHeldIn(event)
                                  ? boundingFrame(spannedZones_)
                                  : std::nullopt;
            snap(span ? Zone(*span) : *view->highlightedZone(), overlayWindow_->display());
            snapped = true;
            closeOverlayWindow();
        } else if (view) {
            // The pointer came here without a drag event (a tool that warps it): the release
            // point decides, as a drag event there would have.
            const auto display =
                screenContainingPoint(event.location, platform().displays().screens());
            const auto zone = display ? zoneNearest(event.location, *display) : std::nullopt;
            if (zone) {
                snap(*zone, *display);
                snapped = true;
            }
            closeOverlayWindow();
        }
    }
    if (isTracking_ && !snapped)
        droppedOutsideZones(event.location);
    resetDragState();
}

void DragDropHandler::droppedOutsideZones(Point release)
{
    if (!windowElement_ || !initialWindowFrame_)
        return;
    SnappedWindows& snappedWindows = SnappedWindows::shared();
    if (!snappedWindows.isRemembered(*windowElement_))
        return;
    if (!Settings::restoreSizeOnUnsnap()) {
        snappedWindows.forget(*windowElement_);
        return;
    }
    const Point pointer = flipToTopLeft(release, primaryHeight(platform().displays().screens()));
    snappedWindows.droppedOutsideZones(*windowElement_, initialWindowFrame_->size(), pointer);
}

void DragDropHandler::snap(const Zone& zone, const Display& display)
{
    if (!windowElement_) {
        Logger::info(QStringLiteral("No window to snap"), LogCategory::Window);
        return;
    }
    WindowSnapper::snap(*windowElement_, zone, display);
}

void DragDropHandler::resetDragState()
{
    draggedWindow_.reset();
    initialMouseLocation_.reset();
    initialWindowFrame_.reset();
    lastCheckPosition_.reset();
    lastCheckTime_.reset();
    isTracking_ = false;
    initialModifierPressed_ = false;
    closeOverlayWindow();
}

void DragDropHandler::stopTimer()
{
    if (checkForDragTimer_) {
        checkForDragTimer_->stop();
        checkForDragTimer_.reset();
    }
}

void DragDropHandler::closeOverlayWindow()
{
    // A span starts afresh with the next overlay, which may be on another display.
    spanAnchor_.reset();
    spannedZones_.clear();
    if (overlayWindow_) {
        overlayWindow_->orderOut();
        overlayWindow_.reset();
    }
    overlayMonitorId_.clear();
}

void DragDropHandler::dropOverlayOfChangedDisplay()
{
    // A display removed or reshaped in the middle of a drag: its overlay would stay over an
    // area that is no longer that display, and a release would snap into its stale zones. The
    // next drag event shows the zones of the display then under the pointer, if any.
    if (!overlayWindow_)
        return;
    const Display& shown = overlayWindow_->display();
    const DisplayList screens = platform().displays().screens();
    const auto current = std::find(screens.begin(), screens.end(), shown);
    if (current != screens.end() && current->frame == shown.frame &&
        current->visibleFrame == shown.visibleFrame)
        return;
    Logger::info(QStringLiteral("The display under the drag overlay changed; the overlay closes"),
                 LogCategory::Window);
    closeOverlayWindow();
}

void DragDropHandler::createOverlayWindow(Point pointer)
{
    const auto display = screenContainingPoint(pointer, platform().displays().screens());
    if (!display)
        return;
    const Rect visible = display->visibleFrame;
    auto view = std::make_unique<OverlayView>();
    view->resize(static_cast<int>(visible.width), static_cast<int>(visible.height));
    QString monitorId = monitorID(*display);
    const auto zones = zoneManager_.monitorZones().constFind(monitorId);
    view->setCustomZones(zones == zoneManager_.monitorZones().constEnd()
                             ? std::nullopt
                             : std::optional<ZoneList>(*zones));
    applyStoredZoneColors(*view);
    view->setSpaceAroundZones(gestureSpaceAroundZones_);

    auto window = std::make_unique<OverlayWindow>(*display, visible, OverlayWindow::Level::Drag);
    window->setIgnoresMouseEvents(true);
    window->setContentView(std::move(view));
    // A window still held is dropped without ordering it out first, as the gesture replaces it.
    overlayWindow_ = std::move(window);
    overlayMonitorId_ = std::move(monitorId);
    overlayWindow_->orderFront();
}

void DragDropHandler::applyStoredZoneColors(OverlayView& view) const
{
    const ZoneColors colors = Settings::zoneColors();
    view.setNormalZoneColor(colors.normal);
    view.setHighlightZoneColor(colors.highlight);
}

} // namespace corvane
