// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/ZoneGeometry.h"

#include <cmath>
#include <limits>

namespace corvane {

std::optional<qsizetype> screenContainingPoint(Point point, const QList<Rect>& frames)
{
    for (qsizetype i = 0; i < frames.size(); ++i) {
        if (frames.at(i).contains(point))
            return i;
    }
    return std::nullopt;
}

std::optional<qsizetype> zoneNearestPoint(Point pointer, const Rect& visibleFrame,
                                          const ZoneList& zones)
{
    const double nx = (pointer.x - visibleFrame.minX()) / visibleFrame.width;
    const double ny = (pointer.y - visibleFrame.minY()) / visibleFrame.height;
    std::optional<qsizetype> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (qsizetype i = 0; i < zones.size(); ++i) {
        const Rect& f = zones.at(i).frame;
        const double d = std::hypot(nx - (f.x + f.width * 0.5), ny - (f.y + f.height * 0.5));
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

Rect zoneTargetFrame(const Zone& zone, const Rect& visibleFrame)
{
    return targetFrameWithSpace(zone.frame, visibleFrame, 0);
}

Rect unitRectInAreaWithSpace(const Rect& unit, const Rect& area, double space)
{
    const Rect whole(area.x + area.width * unit.x, area.y + area.height * unit.y,
                     area.width * unit.width, area.height * unit.height);
    if (!(space > 0))
        return whole;
    const double half = space / 2;
    const Rect inner = area.insetBy(half, half);
    const Rect spaced = Rect(inner.x + inner.width * unit.x, inner.y + inner.height * unit.y,
                             inner.width * unit.width, inner.height * unit.height)
                            .insetBy(half, half);
    return spaced.width > 0 && spaced.height > 0 ? spaced : whole;
}

Rect targetFrameWithSpace(const Rect& unit, const Rect& visibleFrame, double space)
{
    const Rect r = unitRectInAreaWithSpace(unit, visibleFrame, space);
    if (!(space > 0))
        return r;
    // Windows take whole points. Their edges are rounded, not their origins and sizes apart,
    // so that two neighbours still end exactly `space` apart.
    const double x0 = std::round(r.minX()), y0 = std::round(r.minY());
    const double x1 = std::round(r.maxX()), y1 = std::round(r.maxY());
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1) ||
        x1 <= x0 || y1 <= y0)
        return r;
    return {x0, y0, x1 - x0, y1 - y0};
}

ZoneList zonesMeeting(const Rect& unitRect, const ZoneList& zones)
{
    ZoneList meeting;
    for (const Zone& zone : zones) {
        if (zone.frame.intersects(unitRect))
            meeting.append(zone);
    }
    return meeting;
}

std::optional<Rect> boundingFrame(const ZoneList& zones)
{
    std::optional<Rect> bounds;
    for (const Zone& zone : zones)
        bounds = bounds ? bounds->united(zone.frame) : zone.frame;
    return bounds;
}

Rect zoneUnitRectInView(const Rect& unit, double viewWidth, double viewHeight)
{
    return {viewWidth * unit.x, viewHeight * ((1 - unit.y) - unit.height), viewWidth * unit.width,
            viewHeight * unit.height};
}

Rect zoneViewRect(const Zone& zone, double viewWidth, double viewHeight, double spacing)
{
    return zoneUnitRectInView(zone.frame, viewWidth, viewHeight).insetBy(spacing, spacing);
}

Rect flipRectInView(const Rect& rect, double viewHeight)
{
    return {rect.x, viewHeight - rect.y - rect.height, rect.width, rect.height};
}

std::optional<Point> centredInTarget(const Size& size, const Rect& target)
{
    const double spareWidth = target.width - size.width;
    const double spareHeight = target.height - size.height;
    if (spareWidth < 1 && spareHeight < 1)
        return std::nullopt;
    return Point{target.x + std::max(0.0, std::floor(spareWidth / 2)),
                 target.y + std::max(0.0, std::floor(spareHeight / 2))};
}

} // namespace corvane
