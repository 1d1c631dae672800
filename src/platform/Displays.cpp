// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Displays.h"

namespace corvane {

QRectF Displays::toGlobal(const Rect& r) const
{
    const QPointF origin = primaryOriginInGlobal();
    const double h = primaryHeight(screens());
    return {origin.x() + r.x, origin.y() + (h - (r.y + r.height)), r.width, r.height};
}

Point Displays::fromGlobal(const QPointF& global) const
{
    const QPointF origin = primaryOriginInGlobal();
    const double h = primaryHeight(screens());
    return {global.x() - origin.x(), h - (global.y() - origin.y())};
}

void Displays::placeExactly(QWindow&, const Rect&) const {}

} // namespace corvane
