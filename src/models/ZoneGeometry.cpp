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

Point flipToTopLeft(Point point, double primaryHeight)
{
    return {point.x, primaryHeight - point.y};
}

std::optional<qsizetype> zoneNearestPoint(Point pointer, const Rect& visibleFrame,
                                          const ZoneList& zones)
{
    const double nx = (pointer.x - visibleFrame.minX()) / visibleFrame.width;
    const double ny = 1 - (pointer.y - visibleFrame.minY()) / visibleFrame.height;
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

Rect zoneTargetFrame(const Zone& zone, const Rect& visibleFrame, double primaryHeight)
{
    const Rect& z = zone.frame;
    return {visibleFrame.minX() + visibleFrame.width * z.x,
            primaryHeight - (visibleFrame.maxY() - visibleFrame.height * z.y),
            visibleFrame.width * z.width, visibleFrame.height * z.height};
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

} // namespace corvane
