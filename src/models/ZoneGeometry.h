// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Zone.h"

#include <QList>
#include <optional>

namespace corvane {

// Where zones are. A zone is stored in unit space: the display's visible frame is 0…1 along x
// and y, from its top-left corner, so that a layout fits any display. Everything else is in
// global coordinates (Qt's: logical points, top-left origin, y down). These functions are the
// one place where a unit rectangle becomes a rectangle on a display and back.

// Index of the first frame that contains the point, in the order given.
std::optional<qsizetype> screenContainingPoint(Point point, const QList<Rect>& frames);

// Index of the zone whose centre is nearest the pointer, measured in unit space
// of the visible frame; ties keep the earlier zone. None for an empty list.
std::optional<qsizetype> zoneNearestPoint(Point pointer, const Rect& visibleFrame,
                                          const ZoneList& zones);

// The window frame that fills the zone exactly.
Rect zoneTargetFrame(const Zone& zone, const Rect& visibleFrame);

// Where a unit rectangle lies in `area` when `space` is left
// between neighbouring zones and between zones and the area's edges. The area shrinks by half
// the space on every side, the rectangle is laid out in what is left, then shrinks by half the
// space again: edges that neighbours share fall on one line and end exactly `space` apart, and
// an edge on the area's border ends `space` inside it. A rectangle too small to keep any room
// inside its gaps is given whole. With no space this is the rectangle laid out in the area.
Rect unitRectInAreaWithSpace(const Rect& unit, const Rect& area, double space);

// The window frame for a unit rectangle of a display, with `space` around it as
// unitRectInAreaWithSpace leaves it and its edges on whole points; with no space,
// zoneTargetFrame's exact fill.
Rect targetFrameWithSpace(const Rect& unit, const Rect& visibleFrame, double space);

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
