// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/DisplayIdentity.h"

#include <QList>
#include <QString>
#include <optional>

namespace corvane {

// One screen as the system reports it. Frames are in global coordinates (Qt's: logical points,
// top-left origin, y down).
struct Display {
    // Tells displays apart within one run (the backend's own name for the output or monitor).
    QString key;
    std::optional<std::uint32_t> number;
    Rect frame;
    Rect visibleFrame;
    QString localizedName;
    std::uint32_t vendor = 0;
    std::uint32_t model = 0;
    std::uint32_t serial = 0;
    std::optional<QString> uuid;
    // The port the monitor is plugged into ("DP-1", "HDMI-A-0"); empty when unknown.
    QString connector;
    // Another connected display reports the same numbers (markIdenticalDisplays).
    bool hasTwin = false;

    // The frame as identifiers of displays without numbers have always been written: from the
    // primary display's bottom-left corner, y up (setIdentityFrames). Stored choices are keyed so.
    Rect identityFrame;

    DisplayIdentity identity() const
    {
        return {
            number, vendor, model, serial, uuid, identityFrame, hasTwin ? connector : QString()};
    }

    friend bool operator==(const Display& a, const Display& b) { return a.key == b.key; }
};

using DisplayList = QList<Display>;

// The identifier every per-display record is keyed by; the one function all callers use.
QString monitorID(const Display& display);

// Sets hasTwin on each display whose identifier, from its numbers alone, another display of the
// list shares, so that identical monitors keep a layout each. A display without a connector
// takes its key as one.
void markIdenticalDisplays(DisplayList& displays);

// Sets identityFrame on every display of a list whose first display is the primary one. The
// backends call it once they have the list, before markIdenticalDisplays.
void setIdentityFrames(DisplayList& displays);

// Whether two lists describe the same displays in the same order, every field a user or a stored
// choice can tell (equality of displays compares their keys only): a backend announces a change
// only when this is false.
bool sameDisplays(const DisplayList& a, const DisplayList& b);

// The first display, in system order, whose frame contains the point.
std::optional<Display> screenContainingPoint(Point point, const DisplayList& displays);

} // namespace corvane
