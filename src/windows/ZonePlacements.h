// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/Display.h"
#include "platform/WindowHandle.h"
#include "windows/ZoneChoice.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QUuid>
#include <functional>
#include <optional>

namespace corvane {

// The zone Corvane put a window in, as it was at that moment.
struct ZonePlacement {
    // The display's identifier (monitorID), which keys its zones, and its key in this run.
    QString monitorId;
    QString displayKey;
    // The virtual desktop shown at the snap (its number, 1 first); none without desktops.
    std::optional<int> desktop;
    // The zone of the display's layout; a span of zones has an id no layout zone has.
    QUuid zoneId;
    // The zone (or the zones spanned) in unit space, and the frame the window was given.
    Rect zone;
    Rect frame;
    // The zone's number in the layout it was put in by; 0 for zones spanned together.
    int number = 0;

    // The zone's number (from 1) among the zones, by id, else by its rectangle; 0 for none.
    int numberIn(const ZoneList& zones) const;
    bool sharesZoneWith(const ZonePlacement& other) const;
};

// Which windows are in which zone. A window counts as in its zone from the moment Corvane put
// it there until the user moves or resizes it otherwise, or it closes. Keyboard snaps, layout
// changes and neighbours resizing together all read it.
class ZonePlacements : public QObject {
    Q_OBJECT
public:
    // The process's instance, created on first use and destroyed with the application.
    static ZonePlacements& shared();

    explicit ZonePlacements(QObject* parent = nullptr);
    ~ZonePlacements() override;

    void place(WindowHandle window, const ZonePlacement& placement);
    // The window was moved within its zone's rules (its neighbour's edge moved): still in its
    // zone, with a new frame.
    void setFrame(WindowHandle window, const Rect& frame);
    void forget(WindowHandle window);

    std::optional<ZonePlacement> placement(WindowHandle window) const;
    // The windows in the zone of `placement` (display, desktop, zone), in the order they were
    // put there.
    QList<WindowHandle> windowsSharingZone(const ZonePlacement& placement) const;
    // The windows on a display, on one desktop (none: every desktop), in the order they were
    // put there.
    QList<WindowHandle> windowsOn(const QString& monitorId,
                                  const std::optional<int>& desktop = std::nullopt) const;

signals:
    void placed(corvane::WindowHandle window, const corvane::ZonePlacement& placement);
    void forgotten(corvane::WindowHandle window);

private:
    struct Entry {
        ZonePlacement placement;
        quint64 order = 0;
    };
    QList<WindowHandle> inOrder(const std::function<bool(const ZonePlacement&)>& wanted) const;

    QHash<WindowHandle, Entry> windows_;
    quint64 nextOrder_ = 0;
    unsigned installation_; // of the backend whose windows these are
};

} // namespace corvane
