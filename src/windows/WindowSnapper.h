// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/Display.h"
#include "platform/WindowHandle.h"
#include "windows/ZoneChoice.h"

#include <optional>

namespace corvane {

// How a snap ended.
enum class SnapOutcome {
    Snapped,
    // The zone's target is not a real rectangle on any display; nothing moved.
    Unreachable,
    // The window closed before it could be moved.
    WindowGone,
    // The window refused the move or the size.
    Refused,
    // The window manager put the window elsewhere and keeps it out of the zone.
    KeptOut,
    // The window's application is excluded from snapping; nothing moved.
    Excluded,
};

// Moves and resizes one window so that it fills one zone of one display. Every way of snapping
// (a drag, a shortcut, a script) goes through here, so that they agree on where a zone is.
class WindowSnapper {
public:
    // The window frame that fills the zone of the display with `space` left around it, cut to
    // the bounds of all displays; none when that leaves no real rectangle.
    static std::optional<Rect> targetFrame(const Zone& zone, const Display& display,
                                           const DisplayList& screens, double space);

    // Snaps the window, with the space around zones the user chose, and logs what happened.
    // The window then counts as in the zone (ZonePlacements).
    static SnapOutcome snap(WindowHandle window, const ZoneChoice& choice);
};

} // namespace corvane
