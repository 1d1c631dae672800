// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WindowSnapper.h"

#include "logging/Logger.h"
#include "models/ZoneGeometry.h"
#include "platform/Platform.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "windows/ExcludedApplications.h"
#include "windows/SnappedWindows.h"
#include "windows/ZonePlacements.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// A stored zone may hold any numbers. A window is only moved where it stays on the displays:
// the target is cut to the bounds of all displays, and one that is not a real rectangle there
// is refused.
std::optional<Rect> reachableTarget(const Rect& target, const DisplayList& screens)
{
    const double values[] = {target.x, target.y, target.width, target.height};
    if (screens.isEmpty() || !std::all_of(std::begin(values), std::end(values),
                                          [](double v) { return std::isfinite(v); }))
        return std::nullopt;
    std::optional<Rect> bounds;
    for (const Display& d : screens)
        bounds = bounds ? bounds->united(d.frame) : d.frame;
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

} // namespace

std::optional<Rect> WindowSnapper::targetFrame(const Zone& zone, const Display& display,
                                               const DisplayList& screens, double space)
{
    return reachableTarget(targetFrameWithSpace(zone.frame, display.visibleFrame, space), screens);
}

SnapOutcome WindowSnapper::snap(WindowHandle window, const ZoneChoice& choice)
{
    const Zone& zone = choice.zone;
    const Display& display = choice.display;
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
                .arg(describe(targetFrameWithSpace(zone.frame, display.visibleFrame, space))),
            LogCategory::Window);
        return SnapOutcome::Unreachable;
    }
    Logger::info(QStringLiteral("Snapping window to ") + describe(*target), LogCategory::Window);
    WindowSystem& windows = Platform::current().windowSystem();
    // The size a first snap takes away, for a later drag out of the zone to give back.
    SnappedWindows& snappedWindows = SnappedWindows::shared();
    std::optional<Size> sizeBefore;
    if (!snappedWindows.isRemembered(window)) {
        if (const auto frame = windows.frame(window))
            sizeBefore = frame->size();
    }
    switch (windows.setFrame(window, *target)) {
    case WindowResult::Done:
        break;
    case WindowResult::KeptOut: {
        // It moved and took a new size all the same: that size is given back as after a snap.
        snappedWindows.snapped(window, sizeBefore, target->size());
        Logger::warning(QStringLiteral("The window manager keeps the window out of its zone"),
                        LogCategory::Window);
        emit Notifications::shared().windowKeptOutOfZone(windows.whyKeptOut(*target));
        return SnapOutcome::KeptOut;
    }
    case WindowResult::Gone:
        // The window may have closed during the drag; that is said, not taken for a snap.
        Logger::warning(QStringLiteral("The window closed before it could be snapped"),
                        LogCategory::Window);
        return SnapOutcome::WindowGone;
    case WindowResult::Refused:
    case WindowResult::Unavailable:
        Logger::warning(QStringLiteral("The window could not be moved or resized"),
                        LogCategory::Window);
        return SnapOutcome::Refused;
    }
    snappedWindows.snapped(window, sizeBefore, target->size());
    const auto desktop = Platform::current().virtualDesktops().current();
    ZonePlacements::shared().place(window,
                                   {monitorID(display), display.key,
                                    desktop ? std::optional<int>(desktop->number) : std::nullopt,
                                    zone.id, zone.frame, *target, choice.number});
    return SnapOutcome::Snapped;
}

} // namespace corvane
