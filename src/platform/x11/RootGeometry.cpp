// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/RootGeometry.h"

#include <algorithm>
#include <limits>

namespace corvane {
namespace {

double ratioOf(const RootGeometry::Monitor* monitor)
{
    return monitor && monitor->ratio > 0 && std::isfinite(monitor->ratio) ? monitor->ratio : 1.0;
}

// How far a point lies outside a rectangle (0 inside it).
double distance(const QPointF& p, const QRectF& r)
{
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

// The monitor whose area (as `frameOf` gives it) holds the point, else the nearest one.
template <typename FrameOf>
const RootGeometry::Monitor* monitorAt(const QList<RootGeometry::Monitor>& monitors,
                                       const QPointF& p, FrameOf frameOf)
{
    const RootGeometry::Monitor* best = nullptr;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const auto& m : monitors) {
        const QRectF frame = frameOf(m);
        if (p.x() >= frame.left() && p.x() < frame.right() && p.y() >= frame.top() &&
            p.y() < frame.bottom())
            return &m;
        if (const double d = distance(p, frame); d < bestDistance) {
            best = &m;
            bestDistance = d;
        }
    }
    return best;
}

double area(const QRectF& r)
{
    return r.isEmpty() ? 0.0 : r.width() * r.height();
}

} // namespace

RootGeometry::RootGeometry(QList<Monitor> monitors) : monitors_(std::move(monitors)) {}

QRectF RootGeometry::logicalFrame(const Monitor& m) const
{
    const double r = ratioOf(&m);
    return QRectF(m.root.topLeft(), QSizeF(m.root.width() / r, m.root.height() / r));
}

QPointF RootGeometry::toLogical(const QPointF& root, const Monitor* m) const
{
    if (!m)
        return root;
    const QPointF origin = m->root.topLeft();
    return origin + (root - origin) / ratioOf(m);
}

QPointF RootGeometry::toRoot(const QPointF& logical, const Monitor* m) const
{
    if (!m)
        return logical;
    const QPointF origin = m->root.topLeft();
    return origin + (logical - origin) * ratioOf(m);
}

const RootGeometry::Monitor* RootGeometry::monitorFor(const QRect& root) const
{
    const QRectF r(root);
    const Monitor* chosen = nullptr;
    double most = 0;
    for (const auto& m : monitors_) {
        if (const double overlap = area(r.intersected(QRectF(m.root))); overlap > most) {
            chosen = &m;
            most = overlap;
        }
    }
    if (!chosen)
        chosen = monitorAt(monitors_, r.center(), [](const Monitor& m) { return QRectF(m.root); });
    return chosen;
}

double RootGeometry::ratioFor(const QRect& root) const
{
    return ratioOf(monitorFor(root));
}

QRectF RootGeometry::logicalRect(const QRect& root) const
{
    const Monitor* m = monitorFor(root);
    const QRectF r(root);
    return QRectF(toLogical(r.topLeft(), m), toLogical(r.bottomRight(), m));
}

QRect RootGeometry::rootRect(const QRectF& logical) const
{
    const auto edge = [](double v) { return int(clampPosition(v)); };
    QRectF joined;
    for (const auto& m : monitors_) {
        const QRectF piece = logical.intersected(logicalFrame(m));
        if (area(piece) > 0) {
            const QRectF root(toRoot(piece.topLeft(), &m), toRoot(piece.bottomRight(), &m));
            joined = joined.isNull() ? root : joined.united(root);
        }
    }
    if (joined.isNull()) {
        // Off every monitor: as the nearest one would have it.
        const Monitor* m = monitorAt(monitors_, logical.center(),
                                     [this](const Monitor& m) { return logicalFrame(m); });
        joined = QRectF(toRoot(logical.topLeft(), m), toRoot(logical.bottomRight(), m));
    }
    const int x0 = edge(joined.left());
    const int y0 = edge(joined.top());
    return QRect(x0, y0, std::max(1, edge(joined.right()) - x0),
                 std::max(1, edge(joined.bottom()) - y0));
}

Point RootGeometry::globalPoint(const QPoint& root) const
{
    const Monitor* m =
        monitorAt(monitors_, QPointF(root), [](const Monitor& m) { return QRectF(m.root); });
    const QPointF p = toLogical(QPointF(root), m);
    return {p.x(), p.y()};
}

Rect RootGeometry::globalRect(const QRect& root) const
{
    const QRectF r = logicalRect(root);
    return {r.x(), r.y(), r.width(), r.height()};
}

QPoint RootGeometry::rootPoint(const Point& global) const
{
    const QPointF logical(global.x, global.y);
    const Monitor* m =
        monitorAt(monitors_, logical, [this](const Monitor& m) { return logicalFrame(m); });
    const QPointF root = toRoot(logical, m);
    return {clampPosition(root.x()), clampPosition(root.y())};
}

QRect RootGeometry::rootRect(const Rect& global) const
{
    return rootRect(QRectF(global.x, global.y, global.width, global.height));
}

} // namespace corvane
