// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"

#include <QColor>
#include <QObject>
#include <QUuid>

namespace corvane {

// The application's notification centre: one typed signal per notification. Posters emit,
// observers connect with a context object so that nothing fires once the observer is gone.
class Notifications : public QObject {
    Q_OBJECT
public:
    static Notifications& shared();

signals:
    // "CustomLayoutsChanged": a custom layout was added, updated or deleted.
    void customLayoutsChanged();
    // "ZoneColorsChanged"
    void zoneColorsChanged(const QColor& normalColor, const QColor& highlightColor);
    // "ZonesUpdated": zones moved or resized in the editing overlay.
    void zonesUpdated(const corvane::ZoneList& zones);
    // "ZoneSelected": a zone was pressed in the editing overlay.
    void zoneSelected(const QUuid& zoneId);
    // "ZoneDeleted": a zone was removed from the edited layout.
    void zoneDeleted(const QUuid& deletedZoneId);
    // The snap modifier ("dragModifierKey") was set or reset in the preferences.
    void dragModifierKeyChanged(const QString& key);
    // Layouts per virtual desktop were switched on or off in the preferences.
    void layoutsPerDesktopChanged(bool on);
    // "KeyboardShortcuts_shortcutByNameDidChange"
    void shortcutByNameDidChange(const QString& name);
    // "KeyboardShortcuts_recorderActiveStatusDidChange"
    void recorderActiveStatusDidChange(bool isActive);

    // The window manager put a snapped window elsewhere and keeps it out of its zone; `reason`
    // says why and what to do, for the user (empty when the desktop gives none).
    void windowKeptOutOfZone(const QString& reason);

    // A settings value could not be saved; `reason` says what stands in the way, for the user.
    // Emitted from the thread that tried to save.
    void settingsWriteFailed(const QString& reason);

private:
    Notifications() = default;
};

} // namespace corvane
