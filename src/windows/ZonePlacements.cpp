// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ZonePlacements.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <memory>

namespace corvane {
namespace {

std::unique_ptr<ZonePlacements>& sharedInstance()
{
    static std::unique_ptr<ZonePlacements> instance;
    return instance;
}

void destroySharedInstance()
{
    sharedInstance().reset();
}

bool sameRect(const Rect& a, const Rect& b)
{
    constexpr double tolerance = 1e-6;
    return std::abs(a.x - b.x) < tolerance && std::abs(a.y - b.y) < tolerance &&
           std::abs(a.width - b.width) < tolerance && std::abs(a.height - b.height) < tolerance;
}

} // namespace

int zoneNumber(const QUuid& id, const Rect& unitFrame, const ZoneList& zones)
{
    for (qsizetype i = 0; i < zones.size(); ++i) {
        if (zones[i].id == id)
            return static_cast<int>(i) + 1;
    }
    for (qsizetype i = 0; i < zones.size(); ++i) {
        if (sameRect(zones[i].frame, unitFrame))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int ZonePlacement::numberIn(const ZoneList& zones) const
{
    return zoneNumber(zoneId, zone, zones);
}

bool ZonePlacement::sharesZoneWith(const ZonePlacement& other) const
{
    return monitorId == other.monitorId && desktop == other.desktop &&
           (zoneId == other.zoneId || sameRect(zone, other.zone));
}

ZonePlacements& ZonePlacements::shared()
{
    auto& instance = sharedInstance();
    // What is recorded names windows of the backend installed when it was recorded.
    if (instance && instance->installation_ != Platform::installation())
        instance.reset();
    if (!instance) {
        instance = std::make_unique<ZonePlacements>();
        if (auto* app = QCoreApplication::instance()) {
            if (instance->thread() != app->thread())
                instance->moveToThread(app->thread());
            qAddPostRoutine(destroySharedInstance);
        }
    }
    return *instance;
}

ZonePlacements::ZonePlacements(QObject* parent)
    : QObject(parent), installation_(Platform::installation())
{
    WindowSystem& windows = Platform::current().windowSystem();
    // A closed window's identity may be given to a new one.
    connect(&windows, &WindowSystem::windowClosed, this,
            [this](WindowHandle window) { forget(window); });
    // Whether a window the user resizes stays in its zone is NeighbourFollower's to say.
}

ZonePlacements::~ZonePlacements() = default;

void ZonePlacements::place(WindowHandle window, const ZonePlacement& placement)
{
    // Put again into the zone it is in, a window keeps its place among the zone's windows.
    const auto it = windows_.constFind(window);
    const bool stays = it != windows_.cend() && it->placement.sharesZoneWith(placement);
    windows_.insert(window, Entry{placement, stays ? it->order : nextOrder_++});
    emit placed(window, placement);
}

void ZonePlacements::setFrame(WindowHandle window, const Rect& frame)
{
    if (const auto it = windows_.find(window); it != windows_.end())
        it->placement.frame = frame;
}

void ZonePlacements::forget(WindowHandle window)
{
    if (windows_.remove(window))
        emit forgotten(window);
}

std::optional<ZonePlacement> ZonePlacements::placement(WindowHandle window) const
{
    const auto it = windows_.constFind(window);
    if (it == windows_.cend())
        return std::nullopt;
    return it->placement;
}

QList<WindowHandle>
ZonePlacements::inOrder(const std::function<bool(const ZonePlacement&)>& wanted) const
{
    QList<std::pair<quint64, WindowHandle>> found;
    for (auto it = windows_.cbegin(); it != windows_.cend(); ++it) {
        if (wanted(it->placement))
            found.append({it->order, it.key()});
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<WindowHandle> result;
    for (const auto& [order, window] : found)
        result.append(window);
    return result;
}

QList<WindowHandle> ZonePlacements::windowsSharingZone(const ZonePlacement& placement) const
{
    return inOrder([&](const ZonePlacement& p) { return p.sharesZoneWith(placement); });
}

QList<WindowHandle> ZonePlacements::windowsOn(const QString& monitorId,
                                              const std::optional<int>& desktop) const
{
    return inOrder([&](const ZonePlacement& p) {
        return p.monitorId == monitorId && (!desktop || p.desktop == desktop);
    });
}

} // namespace corvane
