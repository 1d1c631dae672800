// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Display.h"

#include "models/ZoneGeometry.h"

#include <QHash>
#include <algorithm>

namespace corvane {

QString monitorID(const Display& display)
{
    return monitorID(display.identity());
}

bool sameDisplays(const DisplayList& a, const DisplayList& b)
{
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const Display& x, const Display& y) {
            return x.key == y.key && x.number == y.number && x.frame == y.frame &&
                   x.visibleFrame == y.visibleFrame && x.localizedName == y.localizedName &&
                   x.vendor == y.vendor && x.model == y.model && x.serial == y.serial &&
                   x.uuid == y.uuid && x.connector == y.connector && x.hasTwin == y.hasTwin;
        });
}

void markIdenticalDisplays(DisplayList& displays)
{
    QStringList ids;
    QHash<QString, int> count;
    for (Display& d : displays) {
        d.hasTwin = false;
        if (d.connector.isEmpty())
            d.connector = d.key;
        ids.append(monitorID(d));
        ++count[ids.last()];
    }
    for (qsizetype i = 0; i < displays.size(); ++i)
        displays[i].hasTwin = count.value(ids.at(i)) > 1;
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

void setIdentityFrames(DisplayList& displays)
{
    if (displays.isEmpty())
        return;
    const Rect primary = displays.first().frame;
    for (Display& d : displays)
        d.identityFrame = Rect(d.frame.x - primary.x, primary.maxY() - d.frame.maxY(),
                               d.frame.width, d.frame.height);
}

} // namespace corvane
