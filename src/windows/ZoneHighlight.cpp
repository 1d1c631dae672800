// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ZoneHighlight.h"

#include "models/ZoneGeometry.h"

namespace corvane {

DragIntent DragIntent::of(const WindowMove& move, const DragKey& snapKey,
                          const std::optional<DragKey>& spanKey, bool everyMove)
{
    if (move.keys) {
        const bool show = snapKey.isHeldIn(*move.keys);
        return {show, show && spanKey && spanKey->isHeldIn(*move.keys)};
    }
    return {(everyMove != move.snapShortcut) || move.spanShortcut, move.spanShortcut};
}

ZoneHighlight ZoneHighlight::decide(Point pointer, const Rect& visibleFrame, const ZoneList& zones,
                                    bool span, const ZoneHighlight& previous)
{
    ZoneHighlight result;
    const auto nearest = zoneNearestPoint(pointer, visibleFrame, zones);
    if (!nearest)
        return result;
    result.zone = zones.at(*nearest);
    if (!span)
        return result;
    // The span starts from the zone under the pointer when the span key went down.
    result.anchor = previous.anchor ? previous.anchor : result.zone;
    result.spanned = zonesMeeting(result.anchor->frame.united(result.zone->frame), zones);
    return result;
}

std::optional<Zone> ZoneHighlight::target() const
{
    if (anchor) {
        if (const auto bounds = boundingFrame(spanned))
            return Zone(*bounds);
    }
    return zone;
}

} // namespace corvane
