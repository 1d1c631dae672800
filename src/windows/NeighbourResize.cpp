// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/NeighbourResize.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// Zone edges are stored fractions: equal within rounding.
constexpr double unitTolerance = 1e-6;
// Frames are whole points; an edge that moved less than half of one did not move.
constexpr double frameTolerance = 0.5;

enum class Axis { X, Y };
enum class Side { Low, High }; // left or top; right or bottom

struct Span {
    double low = 0;
    double high = 0;
};

Span along(const Rect& r, Axis axis)
{
    return axis == Axis::X ? Span{r.minX(), r.maxX()} : Span{r.minY(), r.maxY()};
}

Span across(const Rect& r, Axis axis)
{
    return along(r, axis == Axis::X ? Axis::Y : Axis::X);
}

double edge(const Rect& r, Axis axis, Side side)
{
    const Span s = along(r, axis);
    return side == Side::Low ? s.low : s.high;
}

Rect withEdge(const Rect& r, Axis axis, Side side, double value)
{
    Span s = along(r, axis);
    (side == Side::Low ? s.low : s.high) = value;
    if (axis == Axis::X)
        return {s.low, r.minY(), s.high - s.low, r.height};
    return {r.minX(), s.low, r.width, s.high - s.low};
}

// Spans that overlap or meet in a point are joined along the line.
bool touches(Span a, Span b)
{
    return a.low <= b.high + unitTolerance && b.low <= a.high + unitTolerance;
}

// A window with an edge on the line, and how far from the line that edge lies.
struct OnLine {
    qsizetype index;
    Side side;
    double offset;
};

// The windows along the line the resized window's edge lies on in unit space, found by what
// touches the resized window's stretch of it.
QList<OnLine> windowsOnLine(const ZonedWindow& resized, Axis axis, Side side,
                            const QList<ZonedWindow>& others)
{
    const double line = edge(resized.zone, axis, side);
    const double at = edge(resized.frame, axis, side);
    QList<OnLine> found;
    QList<Span> stretch{across(resized.zone, axis)};
    QList<bool> taken(others.size(), false);
    for (bool grew = true; grew;) {
        grew = false;
        for (qsizetype i = 0; i < others.size(); ++i) {
            const ZonedWindow& w = others[i];
            if (taken[i] || w.window == resized.window)
                continue;
            const Span zone = along(w.zone, axis);
            std::optional<Side> onLine;
            if (std::abs(zone.low - line) < unitTolerance)
                onLine = Side::Low;
            else if (std::abs(zone.high - line) < unitTolerance)
                onLine = Side::High;
            const Span reach = across(w.zone, axis);
            if (!onLine || std::none_of(stretch.cbegin(), stretch.cend(),
                                        [&](Span s) { return touches(s, reach); }))
                continue;
            taken[i] = true;
            grew = true;
            stretch.append(reach);
            found.append({i, *onLine, edge(w.frame, axis, *onLine) - at});
        }
    }
    // An edge with no zone across it lies on the display's border, whatever lies beside it.
    const Side facing = side == Side::Low ? Side::High : Side::Low;
    if (std::none_of(found.cbegin(), found.cend(),
                     [&](const OnLine& o) { return o.side == facing; }))
        return {};
    return found;
}

double lengthAccepted(const ZonedWindow& w, Axis axis, double requested)
{
    const SizeLimits limits = w.limits.value_or(SizeLimits{});
    const Size asked =
        axis == Axis::X ? Size{requested, w.frame.height} : Size{w.frame.width, requested};
    const Size taken = limits.accepted(asked);
    return std::max(axis == Axis::X ? taken.width : taken.height, 1.0);
}

// Where the line can go, starting from where the user put it: each window on it moved back
// until it takes the size it is asked for.
double allowedLine(double wanted, const QList<OnLine>& line, Axis axis,
                   const QList<ZonedWindow>& others)
{
    double at = wanted;
    // Each window may move the line once more than there are windows: enough for every one to
    // hold it, and an end when windows with steps cannot agree.
    for (qsizetype round = 0; round <= line.size(); ++round) {
        bool held = true;
        for (const OnLine& o : line) {
            const ZonedWindow& w = others[o.index];
            const double edgeAt = at + o.offset;
            const Span span = along(w.frame, axis);
            const double asked = o.side == Side::Low ? span.high - edgeAt : edgeAt - span.low;
            const double taken = lengthAccepted(w, axis, asked);
            if (std::abs(taken - asked) < 1e-6)
                continue;
            held = false;
            at = (o.side == Side::Low ? span.high - taken : span.low + taken) - o.offset;
        }
        if (held)
            break;
    }
    return at;
}

} // namespace

NeighbourResize NeighbourResize::decide(const ZonedWindow& resized, const Rect& frame,
                                        const QList<ZonedWindow>& others)
{
    NeighbourResize result;
    result.resized = frame;
    QList<Rect> frames;
    for (const ZonedWindow& w : others)
        frames.append(w.frame);
    for (const Axis axis : {Axis::X, Axis::Y}) {
        for (const Side side : {Side::Low, Side::High}) {
            const double wanted = edge(frame, axis, side);
            if (std::abs(wanted - edge(resized.frame, axis, side)) < frameTolerance)
                continue;
            const QList<OnLine> line = windowsOnLine(resized, axis, side, others);
            if (line.isEmpty())
                continue;
            result.hasNeighbours = true;
            const double at = allowedLine(wanted, line, axis, others);
            result.resized = withEdge(result.resized, axis, side, at);
            for (const OnLine& o : line)
                frames[o.index] = withEdge(frames[o.index], axis, o.side, at + o.offset);
        }
    }
    for (qsizetype i = 0; i < others.size(); ++i) {
        if (!(frames[i] == others[i].frame))
            result.neighbours.append({others[i].window, frames[i]});
    }
    return result;
}

} // namespace corvane
