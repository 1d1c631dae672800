#include "platform/Display.h"

#include "models/ZoneGeometry.h"

namespace corvane {

QString monitorID(const Display& display)
{
    return monitorID(display.identity());
}

std::optional<Display> screenContainingPoint(Point point, const DisplayList& displays)
{
    QList<Rect> frames;
    frames.reserve(displays.size());
    for (const Display& d : displays)
        frames.append(d.frame);
    const auto index = screenContainingPoint(point, frames);
    if (!index)
        return std::nullopt;
    return displays.at(*index);
}

double primaryHeight(const DisplayList& displays)
{
    return displays.isEmpty() ? 0.0 : displays.first().frame.height;
}

} // namespace corvane
