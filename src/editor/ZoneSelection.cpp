// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ZoneSelection.h"

#include "settings/Notifications.h"

namespace corvane {

ZoneSelection::ZoneSelection(QObject* parent) : QObject(parent) {}

ZoneSelection::~ZoneSelection()
{
    stopObserving();
}

void ZoneSelection::setSelectedZoneId(std::optional<QUuid> id)
{
    if (id == selected_)
        return;
    selected_ = id;
    emit selectedZoneIdChanged();
}

void ZoneSelection::startObserving()
{
    if (isObserving())
        return;
    auto& center = Notifications::shared();
    observers_.append(connect(&center, &Notifications::zoneSelected, this, [this](const QUuid& id) {
        // A notification without a usable id is ignored.
        if (!id.isNull())
            setSelectedZoneId(id);
    }));
    observers_.append(
        connect(&center, &Notifications::zoneDeleted, this, [this](const QUuid& deletedId) {
            if (!deletedId.isNull() && selected_ == deletedId)
                setSelectedZoneId(std::nullopt);
        }));
}

void ZoneSelection::stopObserving()
{
    for (const auto& connection : std::as_const(observers_))
        disconnect(connection);
    observers_.clear();
}

} // namespace corvane
