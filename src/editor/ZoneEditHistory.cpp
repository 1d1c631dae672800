// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ZoneEditHistory.h"

#include "editor/LayoutEditingSession.h"
#include "layouts/LayoutManager.h"
#include "settings/Notifications.h"

#include <algorithm>

namespace corvane {
namespace {

bool sameZoneIds(const ZoneList& a, const ZoneList& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Zone& x, const Zone& y) { return x.id == y.id; });
}

bool sameZones(const ZoneList& a, const ZoneList& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Zone& x, const Zone& y) {
        return x.id == y.id && x.frame == y.frame;
    });
}

} // namespace

ZoneEditHistory::ZoneEditHistory(LayoutManager& layoutManager, QObject* parent)
    : QObject(parent), layoutManager_(layoutManager),
      current_(LayoutEditingSession::of(layoutManager).editingZones())
{
    connect(&LayoutEditingSession::of(layoutManager_), &LayoutEditingSession::editingZonesChanged,
            this, &ZoneEditHistory::zonesChanged);
    // A press on a zone begins a new gesture: the drag that may follow is a step of its own.
    connect(&Notifications::shared(), &Notifications::zoneSelected, this,
            [this] { dragStepOpen_ = false; });
}

void ZoneEditHistory::zonesChanged()
{
    const std::optional<ZoneList>& zones = LayoutEditingSession::of(layoutManager_).editingZones();
    const std::optional<ZoneList> previous = std::exchange(current_, zones);
    if (applying_)
        return;
    if (!zones || !previous) {
        // A session began or ended.
        undo_.clear();
        redo_.clear();
        dragStepOpen_ = false;
        emit changed();
        return;
    }
    if (sameZones(*previous, *zones))
        return;
    const bool geometryOnly = sameZoneIds(*previous, *zones);
    if (!(geometryOnly && dragStepOpen_))
        undo_.append(*previous);
    dragStepOpen_ = geometryOnly;
    redo_.clear();
    emit changed();
}

void ZoneEditHistory::undo()
{
    if (undo_.isEmpty() || !current_)
        return;
    redo_.append(*current_);
    apply(undo_.takeLast());
}

void ZoneEditHistory::redo()
{
    if (redo_.isEmpty() || !current_)
        return;
    undo_.append(*current_);
    apply(redo_.takeLast());
}

void ZoneEditHistory::apply(const ZoneList& zones)
{
    dragStepOpen_ = false;
    applying_ = true;
    LayoutEditingSession::of(layoutManager_).replaceEditingZones(zones);
    applying_ = false;
    emit changed();
}

} // namespace corvane
