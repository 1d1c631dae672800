// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"
#include "platform/WindowMove.h"
#include "windows/DragKey.h"

#include <optional>

namespace corvane {

// What a drag asks for at one moment: the zones shown, and zones spanned.
struct DragIntent {
    bool showZones = false;
    bool span = false;

    // Where the desktop tells the keys, the snap key held shows the zones and the span key held
    // with it spans. Where it does not, the zones show on every move (`everyMove`) or after the
    // desktop's snap shortcut, each press of which turns them on or off; the span shortcut
    // spans, and shows the zones.
    static DragIntent of(const WindowMove& move, const DragKey& snapKey,
                         const std::optional<DragKey>& spanKey, bool everyMove);
};

// What the overlay highlights at one moment of a drag: the zone whose centre is nearest the
// pointer and, while spanning, every zone meeting the rectangle from the zone where the span
// began (the anchor) to that one. A pure decision, so that a drag's every step can be checked
// without a desktop.
struct ZoneHighlight {
    std::optional<Zone> zone;
    ZoneList spanned;
    std::optional<Zone> anchor;

    // `previous` is the highlight of the step before on the same display (for its anchor).
    static ZoneHighlight decide(Point pointer, const Rect& visibleFrame, const ZoneList& zones,
                                bool span, const ZoneHighlight& previous);
    // The unit rectangle a release snaps into: the spanned zones together while spanning, else
    // the highlighted zone; none without a highlight.
    std::optional<Zone> target() const;
};

} // namespace corvane
