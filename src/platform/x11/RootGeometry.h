// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "models/Geometry.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <cmath>
#include <cstdint>
#include <limits>

namespace corvane {

// The one place where the X server's device pixels become the port's logical points.
//
// The server speaks root coordinates: integer device pixels, top-left origin of the whole
// screen. The port speaks global coordinates: logical points, top-left origin, y down. Between
// them: each monitor keeps its top-left corner where the server has it, and what lies
// inside it is divided by its device pixel ratio, the one Qt uses for that screen. Qt's global
// coordinates are made the same way, so the port, Qt's windows and the server agree at any
// scale, a fractional one and monitors of different scales included.
class RootGeometry {
public:
    struct Monitor {
        QRect root;         // device pixels
        double ratio = 1.0; // device pixels per logical point
    };

    RootGeometry() = default;
    // The monitors in the system's order, the primary one first.
    explicit RootGeometry(QList<Monitor> monitors);

    // From the server to the port. A point goes with the monitor that holds it (else the
    // nearest); a rectangle with the monitor it overlaps most (else the nearest), whole, so
    // that a window reaching past the edge of the screen keeps its size.
    Point globalPoint(const QPoint& root) const;
    Rect globalRect(const QRect& root) const;

    // From the port to the server. A rectangle goes piece by piece: its part on each monitor
    // with that monitor's ratio, the pieces joined; its edges are rounded, so that rectangles
    // that meet in points meet in pixels.
    QPoint rootPoint(const Point& global) const;
    QRect rootRect(const Rect& global) const;
    // Device pixels per point of the monitor a root rectangle goes with.
    double ratioFor(const QRect& root) const;

private:
    QPointF toLogical(const QPointF& root, const Monitor* monitor) const;
    QPointF toRoot(const QPointF& logical, const Monitor* monitor) const;
    const Monitor* monitorFor(const QRect& root) const;
    QRectF logicalRect(const QRect& root) const;
    QRect rootRect(const QRectF& logical) const;
    QRectF logicalFrame(const Monitor& monitor) const;

    QList<Monitor> monitors_;
};

// What the protocol can carry: positions are 16-bit signed, sizes 16-bit unsigned and at
// least 1. Values beyond are clamped, and a value that is not a number becomes the smallest.
inline std::int16_t clampPosition(double v)
{
    if (!std::isfinite(v))
        return std::isnan(v) ? 0
                             : (v > 0 ? std::numeric_limits<std::int16_t>::max()
                                      : std::numeric_limits<std::int16_t>::min());
    const double r = std::round(v);
    if (r > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    if (r < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(r);
}

inline std::uint16_t clampSize(double v)
{
    if (std::isnan(v))
        return 1;
    const double r = std::round(v);
    if (r > std::numeric_limits<std::uint16_t>::max())
        return std::numeric_limits<std::uint16_t>::max();
    if (r < 1)
        return 1;
    return static_cast<std::uint16_t>(r);
}

} // namespace corvane
