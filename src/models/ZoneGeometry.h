// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"

#include <QList>
#include <optional>

namespace corvane {

// The arithmetic between the three spaces: unit space (zones), screen space (bottom-left origin
// of the primary display, y up) and accessibility space (top-left origin, y down).

// Index of the first frame that contains the point, in the order given.
std::optional<qsizetype> screenContainingPoint(Point point, const QList<Rect>& frames);

// (x, primaryHeight - y); the same formula converts back.
Point flipToTopLeft(Point point, double primaryHeight);

// Index of the zone whose centre is nearest the pointer (screen space), measured in unit space
// of the visible frame; ties keep the earlier zone. None for an empty list.
std::optional<qsizetype> zoneNearestPoint(Point pointer, const Rect& visibleFrame,
                                          const ZoneList& zones);

// The window frame (accessibility space) that fills the zone exactly.
Rect zoneTargetFrame(const Zone& zone, const Rect& visibleFrame, double primaryHeight);

// Where a unit rectangle lies in `area` (any space whose y grows downwards) when `space` is left
// between neighbouring zones and between zones and the area's edges. The area shrinks by half
// the space on every side, the rectangle is laid out in what is left, then shrinks by half the
// space again: edges that neighbours share fall on one line and end exactly `space` apart, and
// an edge on the area's border ends `space` inside it. A rectangle too small to keep any room
// inside its gaps is given whole. With no space this is the rectangle laid out in the area.
Rect unitRectInAreaWithSpace(const Rect& unit, const Rect& area, double space);

// The window frame (accessibility space) for a unit rectangle of a display, with `space` around
// it as unitRectInAreaWithSpace leaves it and its edges on whole points; with no space,
// zoneTargetFrame's exact fill.
Rect targetFrameWithSpace(const Rect& unit, const Rect& visibleFrame, double primaryHeight,
                          double space);

// The zones whose frames overlap the unit rectangle (sharing an edge is not overlapping), in
// layout order.
ZoneList zonesMeeting(const Rect& unitRect, const ZoneList& zones);

// The smallest unit rectangle holding every zone's frame; none for an empty list.
std::optional<Rect> boundingFrame(const ZoneList& zones);

// Where a window that kept a size smaller than its target (a terminal's size steps, a largest
// size) goes: centred in what it leaves along each side where it is smaller, by whole points,
// top-left origin. None when it fills the target (less than a point short is rounding).
std::optional<Point> centredInTarget(const Size& size, const Rect& target);

// The zone's shape in a view of the given size whose origin is its bottom-left corner, inset by
// `spacing` on every side.
Rect zoneViewRect(const Zone& zone, double viewWidth, double viewHeight, double spacing);

// The same rectangle without the inset, in a bottom-left view.
Rect zoneUnitRectInView(const Rect& unit, double viewWidth, double viewHeight);

// A bottom-left rectangle in a view of height `viewHeight`, flipped for top-left painting.
Rect flipRectInView(const Rect& rect, double viewHeight);

} // namespace corvane
