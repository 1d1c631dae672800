// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/ShapedPainting.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace corvane {

QColor opaque(QColor color)
{
    color.setAlpha(255);
    return color;
}

QRegion roundedRectRegion(const QRectF& rect, double radius)
{
    if (!(rect.width() > 0 && rect.height() > 0))
        return {};
    radius = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
    if (radius <= 0)
        return QRegion(rect.toAlignedRect());
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}

void fillRegion(QPainter& painter, const QRegion& region, const QColor& color)
{
    for (const QRect& r : region)
        painter.fillRect(r, color);
}

QRegion emptyWindowMask()
{
    // One pixel just outside the window: shaped to it, the window shows nothing and takes no
    // input.
    return QRegion(-1, -1, 1, 1);
}

} // namespace corvane
