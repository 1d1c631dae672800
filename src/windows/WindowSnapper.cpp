// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WindowSnapper.h"

#include "logging/Logger.h"
#include "models/ZoneGeometry.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "windows/ExcludedApplications.h"
#include "windows/SnappedWindows.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvane {
namespace {

// A stored zone may hold any numbers. A window is only moved where it stays on the displays:
// the target is cut to the bounds of all displays (accessibility space), and one that is not a
// real rectangle there is refused.
std::optional<Rect> reachableTarget(const Rect& target, const DisplayList& screens)
{
    const double values[] = {target.x, target.y, target.width, target.height};
    if (screens.isEmpty() || !std::all_of(std::begin(values), std::end(values),
                                          [](double v) { return std::isfinite(v); }))
        return std::nullopt;
    const double pivot = primaryHeight(screens);
    std::optional<Rect> bounds;
    for (const Display& d : screens) {
        const Rect topLeft(d.frame.x, pivot - d.frame.maxY(), d.frame.width, d.frame.height);
        bounds = bounds ? bounds->united(topLeft) : topLeft;
    }
    const double x0 = std::max(target.minX(), bounds->minX());
    const double y0 = std::max(target.minY(), bounds->minY());
    const double x1 = std::min(target.maxX(), bounds->maxX());
    const double y1 = std::min(target.maxY(), bounds->maxY());
    if (target.width < 1 || target.height < 1 || x1 - x0 < 1 || y1 - y0 < 1)
        return std::nullopt;
    return Rect(x0, y0, x1 - x0, y1 - y0);
}

QString describe(const Rect& r)
{
    return QStringLiteral("(%1, %2, %3, %4)").arg(r.x).arg(r.y).arg(r.width).arg(r.height);
}

// A window that sizes itself in steps (a terminal's character cells) or has a largest size
// cannot fill every zone: it is centred in what it leaves, along each side where it is
// smaller, rather than left in the zone's corner.
AXError centreInTarget(const AccessibilityElement& window, const Rect& target)
{
    const std::optional<Size> size = window.size();
    if (!size)
        return AXError::Success;
    const std::optional<Point> centred = centredInTarget(*size, target);
    if (!centred)
        return AXError::Success;
    Logger::info(QStringLiteral("The window keeps a size of %1 × %2, smaller than its zone; "
                                "it is centred in it")
                     .arg(size->width)
                     .arg(size->height),
                 LogCategory::Window);
    const AXError moved = window.setPosition(*centred);
    // Some window managers (fluxbox) resize a window they are asked only to move, by the height
    // of their decorations: the size it had goes last.
    return moved == AXError::Success ? window.setSize(*size) : moved;
}

} // namespace

std::optional<Rect> WindowSnapper::targetFrame(const Zone& zone, const Display& display,
                                               const DisplayList& screens, double space)
{
    return reachableTarget(
        targetFrameWithSpace(zone.frame, display.visibleFrame, primaryHeight(screens), space),
        screens);
}

SnapOutcome WindowSnapper::snap(const AccessibilityElement& window, const Zone& zone,
                                const Display& display)
{
    if (ExcludedApplications::contains(window)) {
        Logger::info(QStringLiteral("The window's application is excluded from snapping"),
                     LogCategory::Window);
        return SnapOutcome::Excluded;
    }
    const DisplayList screens = Platform::current().displays().screens();
    const double space = Settings::spaceAroundZones();
    const auto target = targetFrame(zone, display, screens, space);
    if (!target) {
        Logger::warning(
            QStringLiteral("Zone target %1 lies off every display; the window stays where it is")
                .arg(describe(targetFrameWithSpace(zone.frame, display.visibleFrame,
                                                   primaryHeight(screens), space))),
            LogCategory::Window);
        return SnapOutcome::Unreachable;
    }
    Logger::info(QStringLiteral("Snapping window to ") + describe(*target), LogCategory::Window);
    // The size a first snap takes away, for a later drag out of the zone to give back.
    SnappedWindows& snappedWindows = SnappedWindows::shared();
    const std::optional<Size> sizeBefore =
        snappedWindows.isRemembered(window) ? std::nullopt : window.size();
    // The enhanced interface makes some applications animate or refuse geometry changes; it is
    // switched off only for the move and restored afterwards, since assistive software relies
    // on it.
    const auto app = Platform::current().accessibility().hasEnhancedUserInterface()
                         ? window.application()
                         : std::nullopt;
    const bool restoreEnhanced = app && app->enhancedUserInterface().value_or(false);
    if (restoreEnhanced)
        app->setEnhancedUserInterface(false);
    // Where the desktop sets a frame in one step the window is placed once; otherwise the size
    // goes first (at the old place it may not fit the new one), then the position, then the
    // size again for a window that could not take it where it was. A window that kept a
    // smaller size is then centred in its zone.
    std::array<AXError, 4> results{};
    results[0] = window.setFrame(*target);
    if (results[0] == AXError::AttributeUnsupported) {
        results[0] = window.setSize(target->size());
        results[1] = window.setPosition(target->origin());
        results[2] = window.setSize(target->size());
    }
    if (results[0] == AXError::Success && results[2] == AXError::Success)
        results[3] = centreInTarget(window, *target);
    if (restoreEnhanced)
        app->setEnhancedUserInterface(true);
    // The window may have closed during the drag; that is said, not taken for a snap.
    if (std::find(std::begin(results), std::end(results), AXError::InvalidElement) !=
        std::end(results)) {
        Logger::warning(QStringLiteral("The window closed before it could be snapped"),
                        LogCategory::Window);
        return SnapOutcome::WindowGone;
    }
    if (std::any_of(std::begin(results), std::end(results),
                    [](AXError e) { return e != AXError::Success; })) {
        Logger::warning(QStringLiteral("The window could not be moved or resized"),
                        LogCategory::Window);
        return SnapOutcome::Refused;
    }
    snappedWindows.snapped(window, sizeBefore, target->size());
    return SnapOutcome::Snapped;
}

} // namespace corvane
