// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowHandle.h"
#include "windows/ApplicationZones.h"

#include <QObject>
#include <QTimer>

namespace corvane {

class ZoneManager;
struct ZonePlacement;

// Opens a new window of an application in the zone its windows were last snapped into: each
// snap is remembered for the window's application, and a new normal window (no dialog or
// other transient window) of that application goes to that zone while the zone is still in its
// display's layout. Never for excluded applications; off when the user turns it off.
class NewWindowPlacer : public QObject {
    Q_OBJECT
public:
    // How long remembered zones wait before they are written: a layout change moves many
    // windows at once, and the file is written once for them.
    static constexpr int saveDelayMs = 500;

    explicit NewWindowPlacer(ZoneManager& zoneManager, QObject* parent = nullptr);
    ~NewWindowPlacer() override;

    const ApplicationZones& zones() const { return zones_; }

private:
    void remember(WindowHandle window, const ZonePlacement& placement);
    void opened(WindowHandle window);
    void save();

    ZoneManager& zoneManager_;
    ApplicationZones zones_;
    QTimer saveTimer_;
};

} // namespace corvane
