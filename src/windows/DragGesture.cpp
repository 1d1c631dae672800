// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/DragGesture.h"

#include "logging/Logger.h"
#include "overlay/OverlayView.h"
#include "overlay/OverlayWindow.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "windows/SnappedWindows.h"
#include "windows/WindowSnapper.h"
#include "windows/ZonePlacements.h"

#include <algorithm>

namespace corvane {

DragGesture::DragGesture(ZoneManager& zoneManager, const WindowMove& start, Choices choices)
    : zoneManager_(zoneManager), start_(start), choices_(std::move(choices))
{
    follow(start);
}

DragGesture::~DragGesture()
{
    closeOverlay();
}

OverlayView* DragGesture::overlayView() const
{
    return overlayWindow_ ? qobject_cast<OverlayView*>(overlayWindow_->contentView()) : nullptr;
}

void DragGesture::step(const WindowMove& move)
{
    follow(move);
}

std::optional<Display> DragGesture::follow(const WindowMove& move)
{
    const DragIntent intent =
        DragIntent::of(move, choices_.snapKey, choices_.spanKey, choices_.everyMove);
    if (!intent.showZones) {
        closeOverlay();
        return std::nullopt;
    }
    const auto display =
        screenContainingPoint(move.pointer, Platform::current().displays().screens());
    if (!display)
        return std::nullopt;
    if (!overlayWindow_ || !(overlayWindow_->display() == *display)) {
        closeOverlay();
        showOverlay(*display);
    }
    // The overlay is of this display now; its identifier is not worked out again at every step.
    const ZoneList zones = zoneManager_.monitorZones().value(overlayMonitorId_);
    highlight_ =
        ZoneHighlight::decide(move.pointer, display->visibleFrame, zones, intent.span, highlight_);
    if (OverlayView* view = overlayView()) {
        view->setHighlightedZone(highlight_.zone);
        view->setSpannedZones(highlight_.spanned);
    }
    return display;
}

void DragGesture::finish(const WindowMove& move)
{
    // The release decides with the keys held then: a span key let go before the button leaves
    // the one zone under the pointer, a snap key let go snaps nothing.
    const bool shown = overlayWindow_ != nullptr;
    const auto display = shown ? follow(move) : std::nullopt;
    const auto target = overlayWindow_ ? highlight_.target() : std::nullopt;
    if (display && target) {
        // The move request goes out before the overlay hides: hiding it has the X server
        // expose every window below it, and with many windows open the window manager would
        // read the request only after that.
        snap(*target, *display);
        closeOverlay();
        return;
    }
    closeOverlay();
    droppedOutsideZones(move);
}

void DragGesture::droppedOutsideZones(const WindowMove& release)
{
    // Moved by the user and put nowhere: out of its zone.
    ZonePlacements::shared().forget(start_.window);
    SnappedWindows& snappedWindows = SnappedWindows::shared();
    if (!snappedWindows.isRemembered(start_.window))
        return;
    if (!Settings::restoreSizeOnUnsnap()) {
        snappedWindows.forget(start_.window);
        return;
    }
    snappedWindows.droppedOutsideZones(start_.window, start_.startFrame.size(), release.pointer);
}

void DragGesture::snap(const Zone& zone, const Display& display)
{
    const ZoneList zones = zoneManager_.monitorZones().value(overlayMonitorId_);
    WindowSnapper::snap(start_.window, {display, zone, zoneNumber(zone.id, zone.frame, zones)});
}

void DragGesture::closeOverlay()
{
    // A span starts afresh with the next overlay, which may be on another display.
    highlight_ = {};
    if (overlayWindow_) {
        overlayWindow_->orderOut();
        overlayWindow_.reset();
    }
    overlayMonitorId_.clear();
}

void DragGesture::dropOverlayOfChangedDisplay(const DisplayList& screens)
{
    // A display removed or reshaped in the middle of a drag: its overlay would stay over an
    // area that is no longer that display, and a release would snap into its stale zones.
    if (!overlayWindow_)
        return;
    const Display& shown = overlayWindow_->display();
    const auto current = std::find(screens.begin(), screens.end(), shown);
    if (current != screens.end() && current->frame == shown.frame &&
        current->visibleFrame == shown.visibleFrame)
        return;
    Logger::info(QStringLiteral("The display under the drag overlay changed; the overlay closes"),
                 LogCategory::Window);
    closeOverlay();
}

void DragGesture::setZoneColors(const QColor& normal, const QColor& highlight)
{
    choices_.normalColor = normal;
    choices_.highlightColor = highlight;
    if (OverlayView* view = overlayView()) {
        view->setNormalZoneColor(normal);
        view->setHighlightZoneColor(highlight);
    }
}

void DragGesture::showOverlay(const Display& display)
{
    const Rect visible = display.visibleFrame;
    auto view = std::make_unique<OverlayView>();
    view->resize(static_cast<int>(visible.width), static_cast<int>(visible.height));
    QString monitorId = monitorID(display);
    const auto zones = zoneManager_.monitorZones().constFind(monitorId);
    view->setCustomZones(zones == zoneManager_.monitorZones().constEnd()
                             ? std::nullopt
                             : std::optional<ZoneList>(*zones));
    view->setNormalZoneColor(choices_.normalColor);
    view->setHighlightZoneColor(choices_.highlightColor);
    view->setSpaceAroundZones(choices_.spaceAroundZones);

    auto window = std::make_unique<OverlayWindow>(display, visible, OverlayWindow::Level::Drag);
    window->setIgnoresMouseEvents(true);
    window->setContentView(std::move(view));
    overlayWindow_ = std::move(window);
    overlayMonitorId_ = std::move(monitorId);
    overlayWindow_->orderFront();
}

} // namespace corvane
