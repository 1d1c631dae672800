// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/Strut.h"

#include <algorithm>
#include <limits>

namespace corvane {
namespace {

int toInt(std::uint32_t v)
{
    return static_cast<int>(std::min<std::uint32_t>(v, std::numeric_limits<int>::max()));
}

// Whether the inclusive range [start, end] overlaps the half-open range [from, to).
bool overlaps(int start, int end, int from, int to)
{
    return start < to && end >= from;
}

} // namespace

std::optional<Strut> Strut::fromPartial(const QList<std::uint32_t>& v)
{
    if (v.size() < 12)
        return std::nullopt;
    Strut s;
    s.left = toInt(v[0]);
    s.right = toInt(v[1]);
    s.top = toInt(v[2]);
    s.bottom = toInt(v[3]);
    s.leftStartY = toInt(v[4]);
    s.leftEndY = toInt(v[5]);
    s.rightStartY = toInt(v[6]);
    s.rightEndY = toInt(v[7]);
    s.topStartX = toInt(v[8]);
    s.topEndX = toInt(v[9]);
    s.bottomStartX = toInt(v[10]);
    s.bottomEndX = toInt(v[11]);
    return s;
}

std::optional<Strut> Strut::fromFull(const QList<std::uint32_t>& v, QSize rootSize)
{
    if (v.size() < 4)
        return std::nullopt;
    Strut s;
    s.left = toInt(v[0]);
    s.right = toInt(v[1]);
    s.top = toInt(v[2]);
    s.bottom = toInt(v[3]);
    s.leftEndY = s.rightEndY = rootSize.height() - 1;
    s.topEndX = s.bottomEndX = rootSize.width() - 1;
    return s;
}

Strut reachingWindow(const Strut& strut, const QRect& window, const QList<QRect>& monitors,
                     QSize rootSize)
{
    if (window.isEmpty())
        return strut;
    // Whether a reservation `thickness` from the given edge of the root takes room from some
    // monitor, and which monitor's same edge the window lies along.
    const auto landsOnAMonitor = [&](const Strut& s) {
        return std::any_of(monitors.begin(), monitors.end(),
                           [&](const QRect& m) { return visibleArea(m, {s}, rootSize) != m; });
    };
    if (strut.isEmpty() || landsOnAMonitor(strut))
        return strut;
    Strut s = strut;
    for (const QRect& m : monitors) {
        if (!m.intersects(window))
            continue;
        if (s.bottom > 0 && window.bottom() == m.bottom()) {
            s.bottom = rootSize.height() - window.top();
            s.bottomStartX = window.left();
            s.bottomEndX = window.right();
        } else if (s.top > 0 && window.top() == m.top()) {
            s.top = window.bottom() + 1;
            s.topStartX = window.left();
            s.topEndX = window.right();
        } else if (s.left > 0 && window.left() == m.left()) {
            s.left = window.right() + 1;
            s.leftStartY = window.top();
            s.leftEndY = window.bottom();
        } else if (s.right > 0 && window.right() == m.right()) {
            s.right = rootSize.width() - window.left();
            s.rightStartY = window.top();
            s.rightEndY = window.bottom();
        }
    }
    return s;
}

QRect visibleArea(const QRect& monitor, const QList<Strut>& struts, QSize rootSize)
{
    const int mLeft = monitor.x();
    const int mTop = monitor.y();
    const int mRight = monitor.x() + monitor.width(); // exclusive
    const int mBottom = monitor.y() + monitor.height();
    int left = mLeft, top = mTop, right = mRight, bottom = mBottom;

    for (const Strut& s : struts) {
        if (s.left > 0 && s.left > mLeft && s.left < mRight &&
            overlaps(s.leftStartY, s.leftEndY, mTop, mBottom))
            left = std::max(left, s.left);
        const int rightEdge = rootSize.width() - s.right;
        if (s.right > 0 && rightEdge > mLeft && rightEdge < mRight &&
            overlaps(s.rightStartY, s.rightEndY, mTop, mBottom))
            right = std::min(right, rightEdge);
        if (s.top > 0 && s.top > mTop && s.top < mBottom &&
            overlaps(s.topStartX, s.topEndX, mLeft, mRight))
            top = std::max(top, s.top);
        const int bottomEdge = rootSize.height() - s.bottom;
        if (s.bottom > 0 && bottomEdge > mTop && bottomEdge < mBottom &&
            overlaps(s.bottomStartX, s.bottomEndX, mLeft, mRight))
            bottom = std::min(bottom, bottomEdge);
    }
    if (right <= left || bottom <= top)
        return monitor;
    return QRect(left, top, right - left, bottom - top);
}

QRect areaByTheLetter(const QRect& monitor, const QList<Strut>& struts, QSize rootSize)
{
    const int mLeft = monitor.x(), mTop = monitor.y();
    const int mRight = monitor.x() + monitor.width(), mBottom = monitor.y() + monitor.height();
    int left = mLeft, top = mTop, right = mRight, bottom = mBottom;
    for (const Strut& s : struts) {
        if (s.left > 0 && overlaps(s.leftStartY, s.leftEndY, mTop, mBottom))
            left = std::max(left, s.left);
        if (s.right > 0 && overlaps(s.rightStartY, s.rightEndY, mTop, mBottom))
            right = std::min(right, rootSize.width() - s.right);
        if (s.top > 0 && overlaps(s.topStartX, s.topEndX, mLeft, mRight))
            top = std::max(top, s.top);
        if (s.bottom > 0 && overlaps(s.bottomStartX, s.bottomEndX, mLeft, mRight))
            bottom = std::min(bottom, rootSize.height() - s.bottom);
    }
    if (right <= left || bottom <= top)
        return {};
    return QRect(left, top, right - left, bottom - top);
}

QRect withWorkArea(const QRect& visible, const QRect& workArea, const QList<Strut>& struts,
                   QSize rootSize)
{
    if (workArea.isEmpty())
        return visible;
    // How far in from each edge of the root the work area reaches, and whether a strut
    // reaches as far.
    const int insets[] = {workArea.left(), rootSize.width() - (workArea.x() + workArea.width()),
                          workArea.top(), rootSize.height() - (workArea.y() + workArea.height())};
    const auto explained = [&](int side) {
        return std::any_of(struts.begin(), struts.end(), [&](const Strut& s) {
            const int thickness[] = {s.left, s.right, s.top, s.bottom};
            return thickness[side] >= insets[side];
        });
    };
    int left = 0, right = rootSize.width(), top = 0, bottom = rootSize.height();
    if (insets[0] > 0 && !explained(0))
        left = workArea.left();
    if (insets[1] > 0 && !explained(1))
        right = workArea.x() + workArea.width();
    if (insets[2] > 0 && !explained(2))
        top = workArea.top();
    if (insets[3] > 0 && !explained(3))
        bottom = workArea.y() + workArea.height();
    const QRect cut = visible.intersected(QRect(left, top, right - left, bottom - top));
    return cut.isEmpty() ? visible : cut;
}

} // namespace corvane
