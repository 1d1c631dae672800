// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/WindowArranger.h"

#include "logging/Logger.h"
#include "models/ZoneGeometry.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "windows/WindowSnapper.h"
#include "windows/ZoneNavigator.h"
#include "windows/ZonePlacements.h"

namespace corvane {

WindowArranger::WindowArranger(ZoneManager& zoneManager, QObject* parent)
    : QObject(parent), zoneManager_(zoneManager)
{
    connect(&zoneManager_, &ZoneManager::zonesSet, this, &WindowArranger::follow);
}

WindowArranger::~WindowArranger() = default;

std::optional<qsizetype> WindowArranger::followingZone(int number, const Rect& frame,
                                                       const Rect& visibleFrame,
                                                       const ZoneList& zones)
{
    if (number >= 1 && number <= zones.size())
        return number - 1;
    return zoneNearestPoint(Point{frame.midX(), frame.midY()}, visibleFrame, zones);
}

WindowArranger::Outcome WindowArranger::snapAll(const Display& display)
{
    WindowSystem& windows = Platform::current().windowSystem();
    const DisplayList screens = Platform::current().displays().screens();
    const ZoneList zones = zoneManager_.monitorZones().value(monitorID(display));
    Outcome outcome;
    for (const WindowHandle window : windows.windows()) {
        const auto frame = windows.frame(window);
        if (!frame || !windows.isNormalWindow(window))
            continue;
        const auto on = ZoneNavigator::displayOf(*frame, screens);
        if (!on || !(screens.at(*on) == display))
            continue;
        const auto zone = followingZone(0, *frame, display.visibleFrame, zones);
        if (!zone)
            break;
        const int number = static_cast<int>(*zone) + 1;
        switch (WindowSnapper::snap(window, {display, zones.at(*zone), number})) {
        case SnapOutcome::Snapped:
            ++outcome.snapped;
            break;
        case SnapOutcome::Excluded:
            break;
        default:
            ++outcome.failed;
        }
    }
    return outcome;
}

void WindowArranger::follow(const Display& display, const ZoneList& zones)
{
    if (!Settings::moveSnappedWindowsOnLayoutChange())
        return;
    ZonePlacements& placements = ZonePlacements::shared();
    // With a layout per desktop, only the windows of the desktop shown have this layout.
    std::optional<int> desktop;
    if (Settings::layoutsPerDesktop()) {
        if (const auto shown = Platform::current().virtualDesktops().current())
            desktop = shown->number;
    }
    const auto kept = [&](const ZonePlacement& placed) {
        if (placed.number < 1) {
            const auto spanned = boundingFrame(zonesMeeting(placed.zone, zones));
            return spanned && *spanned == placed.zone;
        }
        return placed.number <= zones.size() &&
               zoneNumber(QUuid(), placed.zone, zones) == placed.number;
    };
    for (const WindowHandle window : placements.windowsOn(monitorID(display), desktop)) {
        const auto placed = placements.placement(window);
        // Still the zone it was put in: the layout kept it (a display change, the same layout).
        if (!placed || kept(*placed))
            continue;
        const auto zone = followingZone(placed->number, placed->frame, display.visibleFrame, zones);
        if (!zone)
            return;
        Logger::info(QStringLiteral("The layout changed: a window of zone %1 goes to zone %2")
                         .arg(placed->number)
                         .arg(*zone + 1),
                     LogCategory::Window);
        WindowSnapper::snap(window, {display, zones.at(*zone), static_cast<int>(*zone) + 1});
    }
}

} // namespace corvane
