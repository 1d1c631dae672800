// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ActiveWindowSnapper.h"

#include "logging/Logger.h"
#include "overlay/ZoneFlash.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "windows/WindowSnapper.h"
#include "windows/ZonePlacements.h"

namespace corvane {

ActiveWindowSnapper::ActiveWindowSnapper(ZoneManager& zoneManager, QObject* parent)
    : QObject(parent), zoneManager_(zoneManager), flash_(std::make_unique<ZoneFlash>())
{}

ActiveWindowSnapper::~ActiveWindowSnapper() = default;

ActiveWindowSnapper::Outcome ActiveWindowSnapper::snapActiveWindow(const ZoneRequest& request)
{
    const auto refuse = [&request](const QString& reason) {
        Logger::info(QStringLiteral("No snap to zone %1: %2").arg(request.text(), reason),
                     LogCategory::Window);
        return Outcome{false, reason};
    };
    WindowSystem& windows = Platform::current().windowSystem();
    const auto window = windows.activeWindow();
    if (!window)
        return refuse(tr("No window is active"));
    const auto frame = windows.frame(*window);
    if (!frame)
        return refuse(tr("The active window cannot be read"));

    std::optional<ZoneNavigator::Placement> last;
    if (const auto placed = ZonePlacements::shared().placement(*window))
        last = ZoneNavigator::Placement{placed->displayKey, placed->zoneId};
    const DisplayList screens = Platform::current().displays().screens();
    const auto result = ZoneNavigator::choose(
        request, *frame, screens, zoneManager_.monitorZones(),
        {Settings::moveBetweenDisplays(), Settings::spaceAroundZones()}, last);
    if (!result.choice)
        return refuse(result.error);
    const ZoneChoice& choice = *result.choice;
    const int displayNumber = static_cast<int>(screens.indexOf(choice.display)) + 1;
    const QString target =
        QStringLiteral("zone %1 of display %2").arg(choice.number).arg(displayNumber);

    switch (WindowSnapper::snap(*window, choice)) {
    case SnapOutcome::Snapped:
        break;
    case SnapOutcome::Unreachable:
        return refuse(tr("Zone %1 of display %2 lies off every display")
                          .arg(choice.number)
                          .arg(displayNumber));
    case SnapOutcome::WindowGone:
        return refuse(tr("The active window closed"));
    case SnapOutcome::Refused:
        return refuse(tr("The active window refused to move"));
    case SnapOutcome::KeptOut:
        return refuse(tr("The window manager keeps the active window out of zone %1 of "
                         "display %2")
                          .arg(choice.number)
                          .arg(displayNumber));
    case SnapOutcome::Excluded:
        return refuse(tr("The active window's application is excluded from snapping"));
    }
    if (Settings::showLayoutPreview())
        flash_->flash(choice.display, zoneManager_.monitorZones().value(monitorID(choice.display)),
                      choice.zone);
    Logger::info(QStringLiteral("Snapped the active window to ") + target, LogCategory::Window);
    return {true, tr("Moved the active window to zone %1 of display %2")
                      .arg(choice.number)
                      .arg(displayNumber)};
}

ActiveWindowSnapper::Outcome ActiveWindowSnapper::activateWindowSharingZone(int step)
{
    const auto refuse = [](const QString& reason) {
        Logger::info(QStringLiteral("No window of the zone activated: ") + reason,
                     LogCategory::Window);
        return Outcome{false, reason};
    };
    WindowSystem& windows = Platform::current().windowSystem();
    const auto window = windows.activeWindow();
    if (!window)
        return refuse(tr("No window is active"));
    const ZonePlacements& placements = ZonePlacements::shared();
    const auto placed = placements.placement(*window);
    if (!placed)
        return refuse(tr("The active window is in no zone"));
    // Windows minimized or on another desktop are not shown; the others take their turn.
    const QList<WindowHandle> shown = windows.windows();
    QList<WindowHandle> sharing = placements.windowsSharingZone(*placed);
    sharing.removeIf([&](WindowHandle w) { return w != *window && !shown.contains(w); });
    if (sharing.size() < 2)
        return refuse(tr("No other window shares the active window's zone"));
    const qsizetype at = sharing.indexOf(*window);
    const qsizetype count = sharing.size();
    const WindowHandle next = sharing.at(((at + step) % count + count) % count);
    if (windows.activate(next) != WindowResult::Done)
        return refuse(tr("The window could not be activated"));
    return {true,
            tr("Activated window %1 of %2 in the zone").arg(sharing.indexOf(next) + 1).arg(count)};
}

} // namespace corvane
