// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/NewWindowPlacer.h"

#include "logging/Logger.h"
#include "overlay/ZoneManager.h"
#include "platform/Platform.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "windows/ExcludedApplications.h"
#include "windows/WindowSnapper.h"
#include "windows/ZonePlacements.h"

#include <algorithm>

namespace corvane {

NewWindowPlacer::NewWindowPlacer(ZoneManager& zoneManager, QObject* parent)
    : QObject(parent), zoneManager_(zoneManager)
{
    if (const auto stored = Settings::data(SettingsKeys::applicationZones))
        zones_ = ApplicationZones::fromJson(*stored);
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(saveDelayMs);
    connect(&saveTimer_, &QTimer::timeout, this, &NewWindowPlacer::save);
    connect(&ZonePlacements::shared(), &ZonePlacements::placed, this, &NewWindowPlacer::remember);
    // Queued: a window is looked at once the event that announced it has been handled.
    connect(&Platform::current().windowSystem(), &WindowSystem::windowOpened, this,
            &NewWindowPlacer::opened, Qt::QueuedConnection);
}

NewWindowPlacer::~NewWindowPlacer()
{
    if (saveTimer_.isActive())
        save();
}

void NewWindowPlacer::remember(WindowHandle window, const ZonePlacement& placement)
{
    // Zones spanned together are no zone of the layout to open in.
    if (placement.number < 1)
        return;
    const QString application =
        ApplicationZones::key(Platform::current().windowSystem().application(window));
    const ApplicationZone zone{placement.monitorId, placement.desktop, placement.number,
                               placement.zone};
    if (application.isEmpty() || zones_.zoneOf(application) == zone)
        return;
    zones_.remember(application, zone);
    saveTimer_.start();
}

void NewWindowPlacer::save()
{
    saveTimer_.stop();
    // A failure is logged and told by the settings store; the zones stay remembered here.
    Settings::setData(SettingsKeys::applicationZones, zones_.toJson());
}

void NewWindowPlacer::opened(WindowHandle window)
{
    if (!Settings::moveNewWindowsToLastZone())
        return;
    WindowSystem& windows = Platform::current().windowSystem();
    if (!windows.isNormalWindow(window) || ExcludedApplications::contains(window))
        return;
    const QString application = ApplicationZones::key(windows.application(window));
    const auto last = zones_.zoneOf(application);
    if (!last)
        return;
    const DisplayList screens = Platform::current().displays().screens();
    const auto display = std::find_if(screens.begin(), screens.end(), [&](const Display& d) {
        return monitorID(d) == last->monitorId;
    });
    const ZoneList zones = zoneManager_.monitorZones().value(last->monitorId);
    // The zone must still be there: the same rectangle in the display's layout now.
    const int number = zoneNumber(QUuid(), last->zone, zones);
    if (display == screens.end() || number < 1) {
        Logger::info(QStringLiteral("A new window of %1: its last zone is gone").arg(application),
                     LogCategory::Window);
        return;
    }
    Logger::info(QStringLiteral("A new window of %1 opens in its last zone, %2")
                     .arg(application)
                     .arg(number),
                 LogCategory::Window);
    WindowSnapper::snap(window, {*display, zones.at(number - 1), number});
}

} // namespace corvane
