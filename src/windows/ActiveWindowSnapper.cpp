// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ActiveWindowSnapper.h"

#include "logging/Logger.h"
#include "overlay/ZoneFlash.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "windows/WindowSnapper.h"

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
    if (last_ && last_->window == *window)
        last = last_->placement;
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

    switch (WindowSnapper::snap(*window, choice.zone, choice.display)) {
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
    last_ = Placed{*window, {choice.display.key, choice.zone.id}};
    if (Settings::showLayoutPreview())
        flash_->flash(choice.display, zoneManager_.monitorZones().value(monitorID(choice.display)),
                      choice.zone);
    Logger::info(QStringLiteral("Snapped the active window to ") + target, LogCategory::Window);
    return {true, tr("Moved the active window to zone %1 of display %2")
                      .arg(choice.number)
                      .arg(displayNumber)};
}

} // namespace corvane
